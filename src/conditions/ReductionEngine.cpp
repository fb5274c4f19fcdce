#include "conditions/ReductionEngine.h"

#include "conditions/ConditionRules.h"
#include "conditions/FastMeasures.h"
#include "conditions/SequenceFilter.h"
#include "platform/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace ReductionEngine {

namespace {

using namespace FastMeasures;

constexpr std::array<ReductionPass, 13> Order = {
    ReductionPass::SignCounts,    ReductionPass::SignRuns,  ReductionPass::Interruptions,
    ReductionPass::Symmetries,    ReductionPass::Parallels, ReductionPass::Sequence1,
    ReductionPass::Sequence2,     ReductionPass::Sequence3, ReductionPass::Sequence4,
    ReductionPass::Sequence5,     ReductionPass::Sequence6, ReductionPass::Sequence7,
    ReductionPass::ParallelsStep3};

struct Bounds {
    double minimum = 0;
    double maximum = 0;
    bool admits(int value) const { return value >= minimum && value <= maximum; }
};

Bounds boundsAt(const ConditionSet& conditions, int index)
{
    return {conditions.number(index), conditions.number(index + 1)};
}

// For every 13-bit sign mask, bit s set when sign s's bounds admit the mask's value (count or
// longest run), s = 0, 1, 2 for '1', 'X', '2'.
std::vector<quint8> signTable(const ConditionSet& conditions, int firstIndex, bool runs)
{
    std::vector<quint8> table(MaskInfo.size());
    const std::array<Bounds, 3> bounds = {boundsAt(conditions, firstIndex),
                                          boundsAt(conditions, firstIndex + 2),
                                          boundsAt(conditions, firstIndex + 4)};
    for (quint32 mask = 0; mask < table.size(); ++mask) {
        const int value = runs ? longestRunOf(mask) : countOf(mask);
        quint8 admitted = 0;
        for (int s = 0; s < 3; ++s) {
            if (bounds[s].admits(value))
                admitted |= static_cast<quint8>(1u << s);
        }
        table[mask] = admitted;
    }
    return table;
}

// For every hit mask of a family of `pairs` pairs: 1 when both the count and the streak are
// within entries firstIndex..firstIndex+3 (count min, count max, streak min, streak max).
std::vector<quint8> pairTable(const ConditionSet& conditions, int firstIndex, int pairs)
{
    std::vector<quint8> table(std::size_t{1} << pairs);
    const Bounds count = boundsAt(conditions, firstIndex);
    const Bounds streak = boundsAt(conditions, firstIndex + 2);
    for (quint32 mask = 0; mask < table.size(); ++mask)
        table[mask] = count.admits(countOf(mask)) && streak.admits(longestRunOf(mask)) ? 1 : 0;
    return table;
}

// Copies the columns of `in` that pass `test` to `out` in order and returns how many; `out`
// may be `in` itself. Every column is copied and the write position advances only for those
// kept, so the loop has no branch on the outcome.
template <typename Test>
qsizetype filterColumns(const char* in, qsizetype count, char* out, const Test& test,
                        ReductionPass pass, ReductionObserver* observer)
{
    qsizetype kept = 0;
    for (qsizetype start = 0; start < count; start += ProgressInterval) {
        const qsizetype end = qMin(count, start + ProgressInterval);
        for (qsizetype i = start; i < end; ++i) {
            const char* column = in + i * ColumnBuffer::Width;
            // All but the last column have 16 readable bytes.
            const __m128i signs = loadColumn(column, i + 1 < count);
            const bool keep = test(signs);
            copyColumn(out + kept * ColumnBuffer::Width, column);
            kept += keep ? 1 : 0;
        }
        if (observer)
            observer->passProgress(pass, end, count);
    }
    return kept;
}

qsizetype runPass(ReductionPass pass, const char* in, qsizetype count, char* out,
                  ConditionSet& conditions, ReductionObserver* observer)
{
    switch (pass) {
    case ReductionPass::SignCounts:
    case ReductionPass::SignRuns: {
        const bool runs = pass == ReductionPass::SignRuns;
        const std::vector<quint8> table = signTable(conditions, runs ? 7 : 1, runs);
        const quint8* admitted = table.data();
        return filterColumns(
            in, count, out,
            [admitted](__m128i signs) {
                const SignMasks masks = signMasks(signs);
                return (admitted[masks.one] & (admitted[masks.draw] >> 1) &
                        (admitted[masks.two] >> 2) & 1) != 0;
            },
            pass, observer);
    }
    case ReductionPass::Interruptions: {
        const std::vector<quint8> table = pairTable(conditions, 13, 12);
        const quint8* admitted = table.data();
        return filterColumns(
            in, count, out,
            [admitted](__m128i signs) { return admitted[interruptionHits(signs)] != 0; }, pass,
            observer);
    }
    case ReductionPass::Symmetries: {
        const std::vector<quint8> table = pairTable(conditions, 17, 6);
        const quint8* admitted = table.data();
        return filterColumns(
            in, count, out,
            [admitted](__m128i signs) { return admitted[symmetryHits(signs)] != 0; }, pass,
            observer);
    }
    case ReductionPass::Parallels: {
        const std::vector<quint8> table = pairTable(conditions, 21, 6);
        const quint8* admitted = table.data();
        return filterColumns(
            in, count, out,
            [admitted](__m128i signs) { return admitted[parallelHits(signs)] != 0; }, pass,
            observer);
    }
    case ReductionPass::ParallelsStep3: {
        const std::vector<quint8> table = pairTable(conditions, 46, 11);
        const quint8* admitted = table.data();
        return filterColumns(
            in, count, out, [admitted](__m128i signs) { return admitted[step3Hits(signs)] != 0; },
            pass, observer);
    }
    default: {
        const int index = ConditionSet::sequenceIndex(sequenceSlotOf(pass));
        const SequenceFilter sequence(conditions.text(index), conditions.text(index + 1));
        conditions.set(index, sequence.signs());
        return filterColumns(
            in, count, out,
            [&sequence](__m128i signs) { return !sequence.eliminates(signMasks(signs)); }, pass,
            observer);
    }
    }
}

// Stores the trimmed signs of every active sequence, as its own pass would.
void trimActiveSequences(ConditionSet& conditions, const QString& enableFlags)
{
    for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
        const auto pass =
            static_cast<ReductionPass>(static_cast<int>(ReductionPass::Sequence1) + slot);
        if (!isActive(pass, conditions, enableFlags))
            continue;
        const int index = ConditionSet::sequenceIndex(slot);
        conditions.set(index, SequenceFilter::trimBlanks(conditions.text(index)));
    }
}

// A column's rank by probability as a sum of fixed-point logarithms of its values (in
// hundredths of a percent): integers add up the same in any order, so equal products make
// equal keys and ties are real ties. A value of 0 makes the column rank with every other column
// of probability 0.
class ProbabilityKeys {
public:
    explicit ProbabilityKeys(const AdvancedConditions& advanced)
    {
        if (!advanced.values())
            return;
        const AdvancedConditions::SignValues& values = *advanced.values();
        for (int s = 0; s < 3; ++s) {
            for (int match = 0; match < AdvancedConditions::Matches; ++match) {
                const qint64 hundredths = AdvancedConditions::hundredths(values[match][s]);
                const qint64 key =
                    hundredths <= 0
                        ? ZeroValue
                        : std::llround(std::log(static_cast<double>(hundredths)) * Scale);
                const auto add = [key](auto& table, int bit) {
                    for (std::size_t mask = 0; mask < table.size(); ++mask) {
                        if (mask & (std::size_t{1} << bit))
                            table[mask] += key;
                    }
                };
                if (match < 7)
                    add(m_low[s], match);
                else
                    add(m_high[s], match - 7);
            }
        }
    }

    qint64 of(__m128i signs) const
    {
        const SignMasks masks = signMasks(signs);
        const qint64 key = part(0, masks.one) + part(1, masks.draw) + part(2, masks.two);
        return std::max(key, ZeroKey);
    }

private:
    static constexpr double Scale = 1099511627776.0; // 2^40
    static constexpr qint64 ZeroValue = -(qint64{1} << 52);
    // Below every key without a 0 (those are >= 0), above every key with one.
    static constexpr qint64 ZeroKey = -(qint64{1} << 50);

    qint64 part(int sign, quint32 mask) const
    {
        return m_low[sign][mask & 0x7F] + m_high[sign][(mask >> 7) & 0x3F];
    }

    std::array<std::array<qint64, 128>, 3> m_low{};
    std::array<std::array<qint64, 64>, 3> m_high{};
};

constexpr std::array<ReductionPass, 15> AllPasses = {
    ReductionPass::SignCounts,     ReductionPass::SignRuns,  ReductionPass::Interruptions,
    ReductionPass::Symmetries,     ReductionPass::Parallels, ReductionPass::Sequence1,
    ReductionPass::Sequence2,      ReductionPass::Sequence3, ReductionPass::Sequence4,
    ReductionPass::Sequence5,      ReductionPass::Sequence6, ReductionPass::Sequence7,
    ReductionPass::ParallelsStep3, ReductionPass::Tolerance, ReductionPass::MostProbable};

} // namespace

const std::array<ReductionPass, 13>& passOrder()
{
    return Order;
}

const std::array<ReductionPass, 15>& allPasses()
{
    return AllPasses;
}

qsizetype keepMostProbable(char* columns, qsizetype count, const AdvancedConditions& advanced,
                           qsizetype keep)
{
    if (count <= keep)
        return count;
    if (keep <= 0)
        return 0;
    const ProbabilityKeys keys(advanced);
    std::vector<qint64> rank(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        rank[std::size_t(i)] =
            keys.of(loadColumn(columns + i * ColumnBuffer::Width, i + 1 < count));
    // The key of the last column kept: every column above it stays, and of those equal to it
    // the first ones in order until the count is reached.
    std::vector<qint64> sorted = rank;
    std::nth_element(sorted.begin(), sorted.begin() + (keep - 1), sorted.end(),
                     std::greater<qint64>());
    const qint64 threshold = sorted[std::size_t(keep - 1)];
    qsizetype above = 0;
    for (qint64 key : rank)
        above += key > threshold ? 1 : 0;
    qsizetype tiesLeft = keep - above;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 key = rank[std::size_t(i)];
        const bool tie = key == threshold && tiesLeft > 0;
        if (key > threshold || tie) {
            tiesLeft -= tie ? 1 : 0;
            copyColumn(columns + kept * ColumnBuffer::Width, columns + i * ColumnBuffer::Width);
            ++kept;
        }
    }
    return kept;
}

ConditionKind kindOf(ReductionPass pass)
{
    switch (pass) {
    case ReductionPass::SignCounts:
        return ConditionKind::SignCounts;
    case ReductionPass::SignRuns:
        return ConditionKind::SignRuns;
    case ReductionPass::Interruptions:
        return ConditionKind::Interruptions;
    case ReductionPass::Symmetries:
        return ConditionKind::Symmetries;
    case ReductionPass::Parallels:
        return ConditionKind::Parallels;
    case ReductionPass::ParallelsStep3:
        return ConditionKind::ParallelsStep3;
    default:
        return ConditionKind::Sequences;
    }
}

int sequenceSlotOf(ReductionPass pass)
{
    const int slot = static_cast<int>(pass) - static_cast<int>(ReductionPass::Sequence1);
    return slot >= 0 && slot < ConditionSet::SequenceSlots ? slot : -1;
}

QString captionOf(ReductionPass pass)
{
    switch (pass) {
    case ReductionPass::SignCounts:
        return QStringLiteral("Colonne Condizionate con Segni Min/Max");
    case ReductionPass::SignRuns:
        return QStringLiteral("Colonne Condizionate con Segni Cons.");
    case ReductionPass::Interruptions:
        return QStringLiteral("Colonne Condizionate con Interruzioni");
    case ReductionPass::Symmetries:
        return QStringLiteral("Colonne Condizionate con Simmetrie");
    case ReductionPass::Parallels:
        return QStringLiteral("Colonne Condizionate con Paralleli");
    case ReductionPass::ParallelsStep3:
        return QStringLiteral("Colonne Condizionate con Paralleli Passo 3");
    case ReductionPass::Tolerance:
        return QStringLiteral("Colonne Condizionate con Tolleranza Errori");
    case ReductionPass::MostProbable:
        return QStringLiteral("Colonne Condizionate con le Più Probabili");
    default:
        return QStringLiteral("Colonne Condizionate con Sequela %1").arg(sequenceSlotOf(pass) + 1);
    }
}

bool isActive(ReductionPass pass, const ConditionSet& conditions, const QString& enableFlags)
{
    if (!EnableFlagsText::isEnabled(enableFlags, kindOf(pass)))
        return false;
    const int slot = sequenceSlotOf(pass);
    if (slot < 0)
        return true;
    const QVariant& flag = conditions.at(ConditionSet::sequenceIndex(slot) + 2);
    return flag.typeId() == QMetaType::QString && flag.toString() == QLatin1String("S");
}

Result run(const ColumnBuffer& integral, ConditionSet& conditions, const QString& enableFlags,
           ReductionObserver* observer)
{
    return run(integral, conditions, enableFlags, AdvancedConditions{}, observer);
}

Result run(const ColumnBuffer& integral, ConditionSet& conditions, const QString& enableFlags,
           const AdvancedConditions& advanced, ReductionObserver* observer)
{
    const bool tolerance = advanced.errorsFrom != 0 || advanced.errorsTo != 0 ||
                           (advanced.sum && advanced.values()) || !advanced.references.isEmpty();
    std::optional<ConditionRules> rules;
    if (tolerance) {
        trimActiveSequences(conditions, enableFlags);
        rules.emplace(conditions, enableFlags, advanced);
    }
    const auto active = [&](ReductionPass pass) {
        switch (pass) {
        case ReductionPass::Tolerance:
            return tolerance;
        case ReductionPass::MostProbable:
            return advanced.topCount > 0;
        default:
            return !tolerance && isActive(pass, conditions, enableFlags);
        }
    };
    const auto runOne = [&](ReductionPass pass, const char* in, qsizetype count, char* out) {
        switch (pass) {
        case ReductionPass::Tolerance:
            return filterColumns(
                in, count, out, [&rules](__m128i signs) { return rules->keeps(signs); }, pass,
                observer);
        case ReductionPass::MostProbable: {
            if (in != out)
                std::memmove(out, in, std::size_t(count) * ColumnBuffer::Width);
            const qsizetype kept = keepMostProbable(out, count, advanced, advanced.topCount);
            if (observer)
                observer->passProgress(pass, count, count);
            return kept;
        }
        default:
            return runPass(pass, in, count, out, conditions, observer);
        }
    };

    Result result;
    result.survivors = integral; // shared until the first pass writes its own copy
    bool copied = false;
    qsizetype count = integral.count();
    for (ReductionPass pass : AllPasses) {
        if (!active(pass))
            continue;
        if (observer)
            observer->passStarted(pass, count);
        if (!copied) {
            // The first pass reads the integral system and writes the survivors into a buffer
            // of their own; later passes filter that buffer in place.
            result.survivors =
                ColumnBuffer(QByteArray(integral.records().size(), Qt::Uninitialized));
            copied = true;
            count = runOne(pass, integral.records().constData(), count,
                           result.survivors.records().data());
        } else {
            char* data = result.survivors.records().data();
            count = runOne(pass, data, count, data);
        }
        result.survivors.resize(count);
        result.passes.append({pass, captionOf(pass), count});
        if (observer)
            observer->passFinished(pass, count);
        if (count == 0) {
            result.stoppedEmpty = true;
            break;
        }
    }
    QByteArray& records = result.survivors.records();
    if (records.capacity() > 2 * records.size())
        records.squeeze();
    return result;
}

QString runningCountText(ReductionPass pass, qsizetype done, qsizetype total)
{
    const QString separator =
        pass == ReductionPass::SignCounts ? QStringLiteral(" su") : QStringLiteral(" su ");
    return NumberFormat::Str(static_cast<double>(done)) + separator +
           NumberFormat::Str(static_cast<double>(total));
}

QString finalCountText(qsizetype count)
{
    return NumberFormat::Str(static_cast<double>(count));
}

QString costText(qsizetype count, double price, const QLocale& locale)
{
    return NumberFormat::formatPattern(static_cast<double>(count) * price, u"##,###,##0.00",
                                       locale) +
           QStringLiteral(" €");
}

} // namespace ReductionEngine
