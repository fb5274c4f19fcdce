#include "platform/TableFile.h"

#include <sqlite3.h>

#include <cstring>

namespace {

// The layout is SQLite's own file format (format 4, UTF-8 text, no reserved bytes): page 1
// begins with the database header and holds the schema, one row naming the table and its root
// page; the table's rows fill leaf pages in rowid order, and interior pages above them point to
// each child with the last rowid below it.
constexpr int HeaderBytes = 100;
constexpr int LeafHeader = 8;
constexpr int InteriorHeader = 12;
constexpr char LeafTable = 0x0d;
constexpr char InteriorTable = 0x05;
// A row's serial types stay below 128 bytes, so the record header's own size takes one byte.
constexpr int MaxHeader = 120;
constexpr int MaxBody = 1000;

void put16(char* at, quint32 value)
{
    at[0] = static_cast<char>(value >> 8);
    at[1] = static_cast<char>(value);
}

void put32(char* at, quint32 value)
{
    at[0] = static_cast<char>(value >> 24);
    at[1] = static_cast<char>(value >> 16);
    at[2] = static_cast<char>(value >> 8);
    at[3] = static_cast<char>(value);
}

int varintSize(quint64 value)
{
    int size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

// Seven bits a byte, the most significant group first, the high bit set on all but the last;
// the values here stay far below 2^56, where SQLite's ninth byte would carry eight bits.
int putVarint(char* at, quint64 value)
{
    const int size = varintSize(value);
    for (int i = size - 1; i >= 0; --i) {
        at[i] = static_cast<char>((value & 0x7f) | (i == size - 1 ? 0 : 0x80));
        value >>= 7;
    }
    return size;
}

// A page's cells laid from its end down, their offsets listed after the page header in key
// order.
struct Page {
    char* data;
    int headerOffset; // 100 on page 1, after the database header
    int headerSize;
    int cells = 0;
    int content = TableFile::PageSize;

    bool fits(int cellSize) const
    {
        return headerOffset + headerSize + 2 * (cells + 1) + cellSize <= content;
    }
    char* add(int cellSize)
    {
        content -= cellSize;
        put16(data + headerOffset + headerSize + 2 * cells, quint32(content));
        ++cells;
        return data + content;
    }
    void close(char kind)
    {
        char* header = data + headerOffset;
        header[0] = kind;
        put16(header + 3, quint32(cells));
        // An empty content area starts at the page's end, written as 0.
        put16(header + 5, quint32(content == TableFile::PageSize ? 0 : content));
    }
};

} // namespace

// Pages go to the sink a megabyte at a time.
constexpr int PagesPerWrite = 16;

TableFile::TableFile(QByteArrayView createSql, QByteArrayView table, Sink sink)
    : m_createSql(createSql.toByteArray())
    , m_table(table.toByteArray())
    , m_sink(std::move(sink))
    , m_pending(PageSize, '\0')
    , m_leaf(PageSize, '\0')
{
    m_pending.reserve(PagesPerWrite * PageSize);
}

void TableFile::text(QByteArrayView value)
{
    if (m_headerSize + 2 > MaxHeader || m_bodySize + value.size() > MaxBody) {
        m_overflow = true;
        return;
    }
    if (value.isNull()) {
        m_header[m_headerSize++] = 0;
        return;
    }
    m_headerSize += putVarint(m_header + m_headerSize, 13 + 2 * quint64(value.size()));
    std::memcpy(m_body + m_bodySize, value.data(), size_t(value.size()));
    m_bodySize += int(value.size());
}

void TableFile::integer(std::optional<int> value)
{
    if (m_headerSize + 1 > MaxHeader || m_bodySize + 4 > MaxBody) {
        m_overflow = true;
        return;
    }
    if (!value) {
        m_header[m_headerSize++] = 0;
        return;
    }
    const qint32 v = *value;
    // 0 and 1 take no bytes (serial types 8 and 9), then the smallest width that holds the value.
    if (v == 0 || v == 1) {
        m_header[m_headerSize++] = static_cast<char>(8 + v);
    } else if (v >= -128 && v <= 127) {
        m_header[m_headerSize++] = 1;
        m_body[m_bodySize++] = static_cast<char>(v);
    } else if (v >= -32768 && v <= 32767) {
        m_header[m_headerSize++] = 2;
        put16(m_body + m_bodySize, quint32(v));
        m_bodySize += 2;
    } else {
        m_header[m_headerSize++] = 4;
        put32(m_body + m_bodySize, quint32(v));
        m_bodySize += 4;
    }
}

bool TableFile::endRow()
{
    const qint64 rowid = m_rows + 1;
    const int recordSize = 1 + m_headerSize + m_bodySize;
    const int cellSize = varintSize(quint64(recordSize)) + varintSize(quint64(rowid)) + recordSize;
    if (LeafHeader + 2 * (m_leafCells + 1) + cellSize > m_contentStart && !closeLeaf())
        return false;
    Page leaf{m_leaf.data(), 0, LeafHeader, m_leafCells, m_contentStart};
    char* cell = leaf.add(cellSize);
    m_leafCells = leaf.cells;
    m_contentStart = leaf.content;
    cell += putVarint(cell, quint64(recordSize));
    cell += putVarint(cell, quint64(rowid));
    *cell++ = static_cast<char>(1 + m_headerSize);
    std::memcpy(cell, m_header, size_t(m_headerSize));
    std::memcpy(cell + m_headerSize, m_body, size_t(m_bodySize));
    m_headerSize = 0;
    m_bodySize = 0;
    m_rows = rowid;
    return true;
}

bool TableFile::flush()
{
    if (!m_failed && !m_pending.isEmpty() && !m_sink(m_pending))
        m_failed = true;
    m_pending.resize(0); // keeps the block for the next pages
    return !m_failed;
}

bool TableFile::closeLeaf()
{
    Page leaf{m_leaf.data(), 0, LeafHeader, m_leafCells, m_contentStart};
    leaf.close(LeafTable);
    m_pending.append(m_leaf);
    m_leaves.append({++m_pages, m_rows});
    std::memset(m_leaf.data(), 0, PageSize);
    m_leafCells = 0;
    m_contentStart = PageSize;
    return m_pending.size() < PagesPerWrite * PageSize || flush();
}

bool TableFile::finish(QByteArray& firstPage)
{
    // The last leaf, even an empty one: a table without rows is one empty leaf.
    if (m_overflow || !closeLeaf())
        return false;
    // Interior levels until one page holds the whole level: each page lists its children but
    // the last by page and last rowid, the last one in its right-most pointer.
    QList<Child> level = std::move(m_leaves);
    while (level.size() > 1) {
        QList<Child> parents;
        QByteArray page(PageSize, '\0');
        Page interior{page.data(), 0, InteriorHeader};
        const auto closeInterior = [&](const Child& last) {
            put32(page.data() + 8, last.page);
            interior.close(InteriorTable);
            m_pending.append(page);
            parents.append({++m_pages, last.lastRow});
            page.fill('\0');
            interior = Page{page.data(), 0, InteriorHeader};
        };
        for (qsizetype i = 0; i < level.size(); ++i) {
            const Child& child = level[i];
            const int cellSize = 4 + varintSize(quint64(child.lastRow));
            // The last child of the level, or one that finds the page full, becomes the page's
            // right-most pointer.
            if (i + 1 == level.size() || !interior.fits(cellSize)) {
                closeInterior(child);
                continue;
            }
            char* cell = interior.add(cellSize);
            put32(cell, child.page);
            putVarint(cell + 4, quint64(child.lastRow));
        }
        level = std::move(parents);
    }
    if (!flush())
        return false;
    const quint32 root = level.first().page;

    // Page 1: the database header, then the schema's one row.
    firstPage = QByteArray(PageSize, '\0');
    char* head = firstPage.data();
    std::memcpy(head, "SQLite format 3", 16);
    put16(head + 16, PageSize == 65536 ? 1 : PageSize);
    head[18] = 1; // rollback journal
    head[19] = 1;
    head[21] = 64; // payload fractions, fixed by the format
    head[22] = 32;
    head[23] = 32;
    put32(head + 24, 1); // change counter
    put32(head + 28, m_pages);
    put32(head + 40, 1); // schema cookie
    put32(head + 44, 4); // schema format
    put32(head + 56, 1); // UTF-8
    put32(head + 92, 1); // the page count is valid for change 1
    put32(head + 96, SQLITE_VERSION_NUMBER);

    QByteArray types, body;
    char varint[9];
    const auto addText = [&](const QByteArray& value) {
        types.append(varint, putVarint(varint, 13 + 2 * quint64(value.size())));
        body += value;
    };
    addText("table");
    addText(m_table);
    addText(m_table);
    types += char(4); // the root page, a 32-bit integer
    char rootValue[4];
    put32(rootValue, root);
    body.append(rootValue, 4);
    addText(m_createSql);
    QByteArray record(varint, putVarint(varint, quint64(types.size()) + 1));
    if (varintSize(quint64(types.size()) + 1) > 1)
        record = QByteArray(varint, putVarint(varint, quint64(types.size()) + 2));
    record += types + body;
    const int cellSize = varintSize(quint64(record.size())) + 1 + int(record.size());
    Page schema{head, HeaderBytes, LeafHeader};
    char* cell = schema.add(cellSize);
    cell += putVarint(cell, quint64(record.size()));
    cell += putVarint(cell, 1);
    std::memcpy(cell, record.constData(), size_t(record.size()));
    schema.close(LeafTable);
    return true;
}
