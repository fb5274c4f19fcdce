#include "output/LiveResults.h"

#include "output/ColumnCompare.h"

#include <bit>
#include <vector>

namespace LiveResults {

bool isResults(QByteArrayView results)
{
    if (results.size() != ColumnBuffer::Width)
        return false;
    for (char c : results) {
        if (c != '1' && c != 'X' && c != '2' && c != '-')
            return false;
    }
    return true;
}

namespace {

// Bit k set when match k+1 has a result.
quint32 decidedMask(QByteArrayView results)
{
    quint32 mask = 0;
    for (int k = 0; k < ColumnBuffer::Width; ++k)
        mask |= quint32(results[k] != '-') << k;
    return mask;
}

} // namespace

Standing evaluate(const ColumnBuffer& played, QByteArrayView results, qsizetype listed)
{
    Standing standing;
    if (!isResults(results))
        return standing;
    const quint32 decided = decidedMask(results);
    const int open = ColumnBuffer::Width - std::popcount(decided);
    standing.decided = ColumnBuffer::Width - open;
    standing.columns = played.count();
    // A '-' equals no sign, so a column's hits are its points so far. Columns are tallied by
    // their mask of hits, which is cheaper than counting the bits of each one.
    std::vector<qint32> byHits(ColumnCompare::AllMatches + 1, 0);
    const qsizetype total = played.count();
    const ColumnCompare::Loaded reference = ColumnCompare::loadPadded(results.data());
    const auto tally = [&](qsizetype i, quint32 hits) {
        ++byHits[hits];
        if (hits == decided && standing.stillAbleToWin.size() < listed)
            standing.stillAbleToWin.append(i);
    };
    for (qsizetype i = 0; i + 1 < total; ++i)
        tally(i, ColumnCompare::equalMatches(reference,
                                             ColumnCompare::loadWide(played.columnData(i))));
    if (total > 0)
        tally(total - 1, ColumnCompare::equalMatches(
                             reference, ColumnCompare::loadPadded(played.columnData(total - 1))));
    std::array<qint64, 14> byPoints{};
    for (quint32 hits = 0; hits <= ColumnCompare::AllMatches; ++hits)
        byPoints[static_cast<std::size_t>(std::popcount(hits))] += byHits[hits];
    // Running sums from the top: at least p points now, and at least p once every open match
    // is won.
    qint64 atLeast = 0;
    for (int points = ColumnBuffer::Width; points >= 0; --points) {
        atLeast += byPoints[static_cast<std::size_t>(points)];
        standing.sure[static_cast<std::size_t>(points)] = atLeast;
        if (standing.best == 0 && byPoints[static_cast<std::size_t>(points)] > 0)
            standing.best = points;
    }
    for (int points = 0; points <= ColumnBuffer::Width; ++points) {
        const int needed = std::max(0, points - open);
        standing.possible[static_cast<std::size_t>(points)] =
            standing.sure[static_cast<std::size_t>(needed)];
    }
    return standing;
}

} // namespace LiveResults
