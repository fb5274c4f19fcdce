#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Columns held as fixed 13-character records back to back in one contiguous buffer, so that
// a full integral system of 1,594,323 columns is one 20 MB allocation. Indices are 0-based.
class ColumnBuffer {
public:
    static constexpr int Width = 13;

    ColumnBuffer() = default;
    explicit ColumnBuffer(QByteArray records)
        : m_records(std::move(records))
    {}

    qsizetype count() const { return m_records.size() / Width; }
    bool isEmpty() const { return m_records.isEmpty(); }

    QByteArrayView column(qsizetype index) const
    {
        return QByteArrayView(m_records.constData() + index * Width, Width);
    }
    const char* columnData(qsizetype index) const { return m_records.constData() + index * Width; }
    char* columnData(qsizetype index) { return m_records.data() + index * Width; }

    void append(QByteArrayView column) { m_records.append(column.first(Width)); }
    void resize(qsizetype count) { m_records.resize(count * Width); }
    void reserve(qsizetype count) { m_records.reserve(count * Width); }
    void clear() { m_records.clear(); }

    const QByteArray& records() const { return m_records; }
    QByteArray& records() { return m_records; }

    friend bool operator==(const ColumnBuffer&, const ColumnBuffer&) = default;

private:
    QByteArray m_records;
};
