#include "output/WinningsCheck.h"

#include "output/ColumnCompare.h"
#include "platform/ProgressReporter.h"

#include <bit>
#include <vector>

namespace WinningsCheck {

namespace {

// The progress bar moves in blocks of this many columns; the count itself takes a few
// nanoseconds per column.
constexpr qsizetype ProgressBlock = 1 << 16;

} // namespace

QString romanNumeral(int category)
{
    static const std::array<const char*, Categories> Numerals = {"I", "II", "III", "IV",
                                                                 "V", "VI", "VII", "VIII"};
    return QString::fromLatin1(Numerals.at(static_cast<std::size_t>(category - 1)));
}

bool isWinningColumn(QByteArrayView winning)
{
    if (winning.size() != ColumnBuffer::Width)
        return false;
    for (char c : winning) {
        if (c != '1' && c != 'X' && c != '2' && c != '-')
            return false;
    }
    return true;
}

Counts count(const ColumnBuffer& columns, QByteArrayView winning, const Ticked& ticked,
             ProgressReporter* progress)
{
    // Points 0..13 of every column at once; each category then reads its own bin. A '-' in the
    // winning column equals no sign, so a column scores 13 only when its text equals it: the
    // 13-point bin is category I.
    // Columns are tallied by their 13-bit mask of hits and the masks are turned into points once
    // at the end: cheaper than counting the bits of every column.
    std::vector<qint32> byHits(ColumnCompare::AllMatches + 1, 0);
    const qsizetype total = columns.count();
    if (progress)
        progress->setRange(0, static_cast<int>(total));
    if (winning.size() == ColumnBuffer::Width && total > 0) {
        const ColumnCompare::Loaded reference = ColumnCompare::loadPadded(winning.data());
        for (qsizetype block = 0; block < total; block += ProgressBlock) {
            const qsizetype end = std::min(total, block + ProgressBlock);
            // The last column of all is read through a padded copy.
            const qsizetype wideEnd = std::min(end, total - 1);
            qsizetype i = block;
            for (; i < wideEnd; ++i) {
                const quint32 hits = ColumnCompare::equalMatches(
                    reference, ColumnCompare::loadWide(columns.columnData(i)));
                ++byHits[hits];
            }
            for (; i < end; ++i) {
                const quint32 hits = ColumnCompare::equalMatches(
                    reference, ColumnCompare::loadPadded(columns.columnData(i)));
                ++byHits[hits];
            }
            if (progress)
                progress->setValue(static_cast<int>(end));
        }
    }
    std::array<qint64, ColumnBuffer::Width + 1> byPoints{};
    for (quint32 hits = 0; hits <= ColumnCompare::AllMatches; ++hits)
        byPoints[std::popcount(hits)] += byHits[hits];
    Counts counts;
    for (int category = 1; category <= Categories; ++category) {
        if (ticked[category - 1])
            counts[category - 1] = static_cast<qint32>(byPoints[pointsOf(category)]);
    }
    return counts;
}

bool isPlayed(QStringView entered, QStringView playedSigns)
{
    return entered.isEmpty() || playedSigns.contains(entered);
}

} // namespace WinningsCheck
