#pragma once

#include "conditions/FastMeasures.h"
#include "conditions/SequenceFilter.h"
#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"
#include "platform/ColumnBuffer.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <bit>
#include <vector>

// What a rule bounds: the seven kinds of condition in the order of their enable flags, then the
// value sum and the reference columns (the order of the strict flags).
enum class RuleKind {
    SignCounts,
    SignRuns,
    Interruptions,
    Symmetries,
    Parallels,
    Sequences,
    ParallelsStep3,
    ValueSum,
    References,
};

struct ConditionRule {
    QString name; // "S1" … "FC", "SEQ3" (by sequence row), "SOMMA", "RIF1" … "RIF10"
    RuleKind kind = RuleKind::SignCounts;
    bool strict = false;
    friend bool operator==(const ConditionRule&, const ConditionRule&) = default;
};

// How many columns break 0, 1, 2, … of the rules that count as errors; columns that break a
// strict rule are counted apart, as no tolerance keeps them.
struct ErrorsHistogram {
    QList<qsizetype> columns; // index = errors; one entry per possible number of errors
    qsizetype strictlyEliminated = 0;
};

// The rules in force for a condition set, its enable flags and the advanced conditions: each
// bounded measure of an enabled kind, each active excluded sequence, the value sum when set and
// each reference column. A column's broken rules come as a bit mask (bit i = rules()[i]) from a
// few table lookups, cheap enough for every column of a full integral system.
class ConditionRules final {
public:
    using Mask = quint64;

    ConditionRules(const ConditionSet& conditions, const QString& enableFlags,
                   const AdvancedConditions& advanced);

    const QList<ConditionRule>& rules() const { return m_rules; }
    // The rules whose breaking eliminates a column whatever the tolerance.
    Mask strictMask() const { return m_strict; }

    // The rules a column breaks; `signs` as FastMeasures::loadColumn gives them.
    Mask brokenRules(__m128i signs) const
    {
        const FastMeasures::SignMasks masks = FastMeasures::signMasks(signs);
        return tableRules(signs, masks) | otherRules(signs, masks);
    }
    // The same for a 13-character column (only its 13 characters are read).
    Mask brokenRules(const char* column) const
    {
        return brokenRules(FastMeasures::loadColumn(column, false));
    }

    // The errors of a column: its broken rules that are not strict.
    int errorsOf(Mask broken) const { return std::popcount(broken & ~m_strict); }
    // Kept: no strict rule broken and the errors within the admitted range.
    bool keeps(Mask broken) const
    {
        if (broken & m_strict)
            return false;
        const int errors = errorsOf(broken);
        return errors >= m_errorsFrom && errors <= m_errorsTo;
    }
    bool keeps(const char* column) const { return keeps(brokenRules(column)); }
    // The same as keeps(brokenRules(signs)), faster: a column already lost on the rules of the
    // kinds is not tested further.
    bool keeps(__m128i signs) const
    {
        const FastMeasures::SignMasks masks = FastMeasures::signMasks(signs);
        const Mask first = tableRules(signs, masks);
        if ((first & m_strict) || errorsOf(first) > m_errorsTo)
            return false;
        return keeps(first | otherRules(signs, masks));
    }

    ErrorsHistogram errorsHistogram(const ColumnBuffer& columns) const;

    // The sum of the column's 13 values in percent (a sign other than '1', 'X', '2' adds 0);
    // 0 without values.
    static double valueSum(const AdvancedConditions& advanced, QByteArrayView column);
    // The product of the column's 13 values each divided by 100, a fraction of 1 (a sign other
    // than '1', 'X', '2' leaves the product alone); 0 without values.
    static double probability(const AdvancedConditions& advanced, QByteArrayView column);

private:
    // The rules of the kinds' bounds, from table lookups.
    Mask tableRules(__m128i signs, const FastMeasures::SignMasks& masks) const
    {
        Mask broken =
            m_signTables[0][masks.one] | m_signTables[1][masks.draw] | m_signTables[2][masks.two];
        if (m_pairsInForce) {
            broken |= m_interruptions[FastMeasures::interruptionHits(signs)] |
                      m_symmetries[FastMeasures::symmetryHits(signs)] |
                      m_parallels[FastMeasures::parallelHits(signs)] |
                      m_step3[FastMeasures::step3Hits(signs)];
        }
        return broken;
    }

    // Excluded sequences, the value sum and the reference columns.
    Mask otherRules(__m128i signs, const FastMeasures::SignMasks& masks) const
    {
        Mask broken = 0;
        // Branch-free: whether a column breaks these rules is as good as random, and a
        // mispredicted branch per rule would cost more than the tests themselves.
        for (const SequenceRule& sequence : m_sequences) {
            const quint32 missing = ((masks.one & sequence.one) ^ sequence.one) |
                                    ((masks.draw & sequence.draw) ^ sequence.draw) |
                                    ((masks.two & sequence.two) ^ sequence.two);
            broken |= sequence.bit & (Mask{0} - Mask{missing == 0});
        }
        if (m_sumBit) {
            const int sum = sumPart(0, masks.one) + sumPart(1, masks.draw) + sumPart(2, masks.two);
            broken |= m_sumBit & (Mask{0} - Mask{outside(sum, m_sumFrom, m_sumTo)});
        }
        for (const ReferenceRule& reference : m_references) {
            const int points = std::popcount(
                static_cast<quint32>(_mm_movemask_epi8(_mm_cmpeq_epi8(signs, reference.signs))) &
                FastMeasures::PositionBits);
            broken |=
                reference.bit & (Mask{0} - Mask{outside(points, reference.from, reference.to)});
        }
        return broken;
    }

    // A sequence as the sign masks a column must hold at its matches to be eliminated; one
    // that can eliminate no column never breaks.
    struct SequenceRule {
        quint32 one = 0, draw = 0, two = 0;
        Mask bit = 0;
    };
    struct ReferenceRule {
        __m128i signs;
        int from = 0, to = 0;
        Mask bit = 0;
    };

    // Whether value lies outside from..to (from <= to), without a branch.
    static bool outside(int value, int from, int to)
    {
        return static_cast<quint32>(value - from) > static_cast<quint32>(to - from);
    }

    // The value sum of the positions of one sign, in hundredths of a percent, from two tables
    // of 7 and 6 positions.
    int sumPart(int sign, quint32 mask) const
    {
        return m_sumLow[sign][mask & 0x7F] + m_sumHigh[sign][mask >> 7];
    }

    Mask addRule(const QString& name, RuleKind kind, const AdvancedConditions& advanced);

    QList<ConditionRule> m_rules;
    Mask m_strict = 0;
    int m_errorsFrom = 0;
    int m_errorsTo = 0;
    std::array<std::vector<quint32>, 3> m_signTables;
    bool m_pairsInForce = false;
    std::vector<quint32> m_interruptions, m_symmetries, m_parallels, m_step3;
    std::vector<SequenceRule> m_sequences;
    Mask m_sumBit = 0;
    int m_sumFrom = 0, m_sumTo = 0;
    std::array<std::array<int, 128>, 3> m_sumLow{};
    std::array<std::array<int, 64>, 3> m_sumHigh{};
    std::vector<ReferenceRule> m_references;
};
