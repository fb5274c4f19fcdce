#include "conditions/ConditionRules.h"

#include "conditions/ReductionEngine.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using namespace FastMeasures;

bool within(const ConditionSet& conditions, int firstIndex, int value)
{
    return value >= conditions.number(firstIndex) && value <= conditions.number(firstIndex + 1);
}

// For every hit mask of a family of `pairs` pairs: `countBit` when the count leaves the bounds
// at firstIndex, `streakBit` when the longest streak leaves those at firstIndex + 2.
std::vector<quint32> pairTable(const ConditionSet& conditions, int firstIndex, int pairs,
                               quint32 countBit, quint32 streakBit)
{
    std::vector<quint32> table(std::size_t{1} << pairs);
    for (quint32 mask = 0; mask < table.size(); ++mask) {
        if (!within(conditions, firstIndex, countOf(mask)))
            table[mask] |= countBit;
        if (!within(conditions, firstIndex + 2, longestRunOf(mask)))
            table[mask] |= streakBit;
    }
    return table;
}

} // namespace

ConditionRules::ConditionRules(const ConditionSet& conditions, const QString& enableFlags,
                               const AdvancedConditions& advanced)
    : m_errorsFrom(advanced.errorsFrom)
    , m_errorsTo(advanced.errorsTo)
{
    const auto enabled = [&enableFlags](ConditionKind kind) {
        return EnableFlagsText::isEnabled(enableFlags, kind);
    };
    static const std::array<QString, 3> signNames = {u"1"_s, u"X"_s, u"2"_s};

    for (std::vector<quint32>& table : m_signTables)
        table.assign(MaskInfo.size(), 0);
    if (enabled(ConditionKind::SignCounts)) {
        for (int s = 0; s < 3; ++s) {
            const auto bit = static_cast<quint32>(
                addRule(u"S"_s + signNames[s], RuleKind::SignCounts, advanced));
            for (quint32 mask = 0; mask < MaskInfo.size(); ++mask) {
                if (!within(conditions, 1 + 2 * s, countOf(mask)))
                    m_signTables[s][mask] |= bit;
            }
        }
    }
    if (enabled(ConditionKind::SignRuns)) {
        for (int s = 0; s < 3; ++s) {
            const auto bit =
                static_cast<quint32>(addRule(u"SC"_s + signNames[s], RuleKind::SignRuns, advanced));
            for (quint32 mask = 0; mask < MaskInfo.size(); ++mask) {
                if (!within(conditions, 7 + 2 * s, longestRunOf(mask)))
                    m_signTables[s][mask] |= bit;
            }
        }
    }

    // A family of pairs whose kind is off keeps an all-zero table, so the lookups need no test.
    const auto pairs = [&](ConditionKind kind, RuleKind ruleKind, const QString& countName,
                           const QString& streakName, int firstIndex, int pairCount) {
        if (!enabled(kind))
            return std::vector<quint32>(std::size_t{1} << pairCount, 0);
        m_pairsInForce = true;
        const auto countBit = static_cast<quint32>(addRule(countName, ruleKind, advanced));
        const auto streakBit = static_cast<quint32>(addRule(streakName, ruleKind, advanced));
        return pairTable(conditions, firstIndex, pairCount, countBit, streakBit);
    };
    m_interruptions =
        pairs(ConditionKind::Interruptions, RuleKind::Interruptions, u"IG"_s, u"IC"_s, 13, 12);
    m_symmetries = pairs(ConditionKind::Symmetries, RuleKind::Symmetries, u"SG"_s, u"SC"_s, 17, 6);
    m_parallels = pairs(ConditionKind::Parallels, RuleKind::Parallels, u"PG"_s, u"PC"_s, 21, 6);
    m_step3 =
        pairs(ConditionKind::ParallelsStep3, RuleKind::ParallelsStep3, u"FG"_s, u"FC"_s, 46, 11);

    for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
        const auto pass =
            static_cast<ReductionPass>(static_cast<int>(ReductionPass::Sequence1) + slot);
        if (!ReductionEngine::isActive(pass, conditions, enableFlags))
            continue;
        const int index = ConditionSet::sequenceIndex(slot);
        const Mask bit = addRule(u"SEQ%1"_s.arg(slot + 1), RuleKind::Sequences, advanced);
        const SequenceFilter filter(conditions.text(index), conditions.text(index + 1));
        if (!filter.canEliminate())
            continue;
        SequenceRule rule;
        rule.bit = bit;
        for (qsizetype i = 0; i < filter.signs().size(); ++i) {
            const quint32 position = 1u << (filter.positions()[i] - 1);
            const QChar sign = filter.signs()[i];
            (sign == u'1' ? rule.one : sign == u'X' ? rule.draw : rule.two) |= position;
        }
        m_sequences.push_back(rule);
    }

    // The sum is a rule only with values to add up.
    if (advanced.sum && advanced.values()) {
        m_sumBit = addRule(u"SOMMA"_s, RuleKind::ValueSum, advanced);
        m_sumFrom = static_cast<int>(AdvancedConditions::hundredths(advanced.sum->from));
        m_sumTo = static_cast<int>(AdvancedConditions::hundredths(advanced.sum->to));
        const AdvancedConditions::SignValues& values = *advanced.values();
        for (int s = 0; s < 3; ++s) {
            for (quint32 mask = 0; mask < 128; ++mask) {
                for (int match = 0; match < AdvancedConditions::Matches; ++match) {
                    if (!(mask & (1u << (match < 7 ? match : match - 7))))
                        continue;
                    const auto part =
                        static_cast<int>(AdvancedConditions::hundredths(values[match][s]));
                    if (match < 7)
                        m_sumLow[s][mask] += part;
                    else if (mask < 64)
                        m_sumHigh[s][mask] += part;
                }
            }
        }
    }

    for (qsizetype r = 0; r < advanced.references.size() && r < AdvancedConditions::MaxReferences;
         ++r) {
        const AdvancedConditions::Reference& reference = advanced.references[r];
        alignas(16) std::array<char, 16> bytes{};
        std::copy_n(reference.column.constData(),
                    qMin(reference.column.size(), qsizetype{AdvancedConditions::Matches}),
                    bytes.begin());
        const Mask bit = addRule(u"RIF%1"_s.arg(r + 1), RuleKind::References, advanced);
        m_references.push_back({_mm_load_si128(reinterpret_cast<const __m128i*>(bytes.data())),
                                reference.pointsFrom, reference.pointsTo, bit});
    }
}

ConditionRules::Mask ConditionRules::addRule(const QString& name, RuleKind kind,
                                             const AdvancedConditions& advanced)
{
    const bool strict = advanced.strict[static_cast<int>(kind)];
    const Mask bit = Mask{1} << m_rules.size();
    m_rules.append({name, kind, strict});
    if (strict)
        m_strict |= bit;
    return bit;
}

ErrorsHistogram ConditionRules::errorsHistogram(const ColumnBuffer& columns) const
{
    ErrorsHistogram histogram;
    histogram.columns.fill(0, m_rules.size() - std::popcount(m_strict) + 1);
    const qsizetype count = columns.count();
    const char* data = columns.records().constData();
    for (qsizetype i = 0; i < count; ++i) {
        const Mask broken = brokenRules(loadColumn(data + i * ColumnBuffer::Width, i + 1 < count));
        if (broken & m_strict)
            ++histogram.strictlyEliminated;
        else
            ++histogram.columns[errorsOf(broken)];
    }
    return histogram;
}

double ConditionRules::valueSum(const AdvancedConditions& advanced, QByteArrayView column)
{
    return advanced.valueSum(column);
}

double ConditionRules::probability(const AdvancedConditions& advanced, QByteArrayView column)
{
    return advanced.probability(column);
}
