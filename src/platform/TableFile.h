#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>
#include <optional>

// Writes an SQLite database file holding one table, row after row in rowid order, for tables
// rebuilt whole from memory. Laying the rows into pages directly costs a fraction of inserting
// them through the engine one by one, and the result is an ordinary database that any SQLite
// reader opens: rows come back in the order they were appended.
class TableFile final {
    Q_DISABLE_COPY_MOVE(TableFile)
public:
    // Receives the file from its second page on, in order, a block of pages at a time; false
    // stops the writing.
    using Sink = std::function<bool(QByteArrayView)>;

    // `createSql` is the table's statement as the schema keeps it ("CREATE TABLE Name (...)"),
    // `table` its name. The first page is left blank in the file until finish().
    TableFile(QByteArrayView createSql, QByteArrayView table, Sink sink);

    // The fields of the next row, in order; a null view is NULL. A row holds at most 100 fields
    // and 1000 bytes of values.
    void text(QByteArrayView value);
    void integer(std::optional<int> value);
    // Closes the row begun by the fields given since the last one; false when the sink failed.
    bool endRow();

    // Writes the pages still held, then fills `firstPage` with the page that goes at the start
    // of the file. False when the sink failed or a row was too large.
    bool finish(QByteArray& firstPage);

    static constexpr int PageSize = 65536;

private:
    struct Child {
        quint32 page;
        qint64 lastRow;
    };

    bool closeLeaf();
    bool flush();

    QByteArray m_createSql;
    QByteArray m_table;
    Sink m_sink;
    QByteArray m_pending; // whole pages not yet given to the sink, page 1 blank among them
    quint32 m_pages = 1;  // pages given out or pending, page 1 included
    char m_header[128] = {};
    char m_body[1024] = {};
    int m_headerSize = 0;
    int m_bodySize = 0;
    QByteArray m_leaf;
    int m_leafCells = 0;
    int m_contentStart = PageSize;
    qint64 m_rows = 0;
    QList<Child> m_leaves;
    bool m_overflow = false;
    bool m_failed = false;
};
