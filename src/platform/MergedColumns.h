#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>

#include <array>

// Rows of a merged system: 13 plays each, a play being one sign or a double, held as sign masks
// (one byte per play) back to back, so that a merged integral system stays one small buffer.
// Indices are 0-based.
class MergedColumns {
public:
    static constexpr int Width = 13;
    static constexpr quint8 One = 1, Draw = 2, Two = 4;

    MergedColumns() = default;
    // Rows already laid out as masks, Width bytes each.
    explicit MergedColumns(QByteArray masks)
        : m_masks(std::move(masks))
    {}

    qsizetype count() const { return m_masks.size() / Width; }
    bool isEmpty() const { return m_masks.isEmpty(); }

    quint8 mask(qsizetype row, int match) const
    {
        return static_cast<quint8>(m_masks.at(row * Width + match));
    }
    // The play as stored and shown: "1", "X", "2", or a double in the order 1, X, 2.
    QLatin1StringView play(qsizetype row, int match) const { return playText(mask(row, match)); }

    // A reduced column copied as it is.
    void appendColumn(const char* signs)
    {
        const qsizetype at = m_masks.size();
        m_masks.resize(at + Width);
        writeMasks(m_masks.data() + at, signs);
    }
    // A reduced column with `otherSign` also played on `match` (0-based).
    void appendPair(const char* signs, int match, char otherSign)
    {
        appendColumn(signs);
        m_masks[m_masks.size() - Width + match] |= static_cast<char>(maskOf(otherSign));
    }
    // A row from its 13 masks.
    void appendMasks(QByteArrayView masks) { m_masks.append(masks.first(Width)); }

    void reserve(qsizetype rows) { m_masks.reserve(rows * Width); }
    void clear() { m_masks.clear(); }
    const QByteArray& masks() const { return m_masks; }

    // Writes the masks of a reduced column's 13 signs to `row`. A table instead of a switch:
    // signs are unpredictable, and a mispredicted branch per sign dominates a full-system scan.
    static void writeMasks(char* row, const char* signs)
    {
        static constexpr auto Table = [] {
            std::array<char, 256> table{};
            table[static_cast<unsigned char>('1')] = One;
            table[static_cast<unsigned char>('X')] = Draw;
            table[static_cast<unsigned char>('2')] = Two;
            return table;
        }();
        for (int k = 0; k < Width; ++k)
            row[k] = Table[static_cast<unsigned char>(signs[k])];
    }

    static constexpr quint8 maskOf(char sign)
    {
        switch (sign) {
        case '1':
            return One;
        case 'X':
            return Draw;
        case '2':
            return Two;
        default:
            return 0;
        }
    }
    // Empty for a mask that is no sign and no double (no play, or a triple).
    static QLatin1StringView playText(quint8 mask)
    {
        static constexpr std::array<const char*, 8> Texts = {"",  "1",  "X",  "1X",
                                                             "2", "12", "X2", ""};
        return QLatin1StringView(Texts[mask & 7]);
    }
    // The mask of a stored play; 0 when the text is not a sign or a double in the order 1, X, 2.
    static quint8 maskOfPlay(QByteArrayView text)
    {
        for (quint8 mask = 1; mask < 7; ++mask) {
            if (text == QByteArrayView(playText(mask).data(), playText(mask).size()))
                return mask;
        }
        return 0;
    }

    friend bool operator==(const MergedColumns&, const MergedColumns&) = default;

private:
    QByteArray m_masks;
};
