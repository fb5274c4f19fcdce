#include "conditions/BacktestRuleList.h"

#include "conditions/Measures.h"
#include "conditions/ReductionEngine.h"
#include "conditions/SequenceFilter.h"
#include "document/ConditionSet.h"

#include <memory>
#include <vector>

namespace {

struct BoundRule {
    int ColumnMeasures::*measure;
    int low;
    int high;
};

struct MeasureRule {
    const char* name;
    int ColumnMeasures::*measure;
    ConditionKind kind;
    int minEntry; // the maximum is the next entry
};

// In the order of the measures, each with the condition entries that bound it.
constexpr MeasureRule MeasureRules[] = {
    {"S1", &ColumnMeasures::S1, ConditionKind::SignCounts, 1},
    {"SX", &ColumnMeasures::SX, ConditionKind::SignCounts, 3},
    {"S2", &ColumnMeasures::S2, ConditionKind::SignCounts, 5},
    {"SC1", &ColumnMeasures::SC1, ConditionKind::SignRuns, 7},
    {"SCX", &ColumnMeasures::SCX, ConditionKind::SignRuns, 9},
    {"SC2", &ColumnMeasures::SC2, ConditionKind::SignRuns, 11},
    {"IG", &ColumnMeasures::IG, ConditionKind::Interruptions, 13},
    {"IC", &ColumnMeasures::IC, ConditionKind::Interruptions, 15},
    {"SG", &ColumnMeasures::SG, ConditionKind::Symmetries, 17},
    {"SC", &ColumnMeasures::SC, ConditionKind::Symmetries, 19},
    {"PG", &ColumnMeasures::PG, ConditionKind::Parallels, 21},
    {"PC", &ColumnMeasures::PC, ConditionKind::Parallels, 23},
    {"FG", &ColumnMeasures::FG, ConditionKind::ParallelsStep3, 46},
    {"FC", &ColumnMeasures::FC, ConditionKind::ParallelsStep3, 48},
};

} // namespace

BacktestRuleList BacktestRuleList::fromConditions(const ConditionSet& conditions,
                                                  const QString& enableFlags)
{
    BacktestRuleList list;
    auto bounds = std::make_shared<std::vector<BoundRule>>();
    for (const MeasureRule& rule : MeasureRules) {
        if (!EnableFlagsText::isEnabled(enableFlags, rule.kind))
            continue;
        list.names << QString::fromLatin1(rule.name);
        bounds->push_back({rule.measure, int(conditions.number(rule.minEntry)),
                           int(conditions.number(rule.minEntry + 1))});
    }
    auto sequences = std::make_shared<std::vector<SequenceFilter>>();
    for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
        const auto pass =
            static_cast<ReductionPass>(static_cast<int>(ReductionPass::Sequence1) + slot);
        if (!ReductionEngine::isActive(pass, conditions, enableFlags))
            continue;
        const int index = ConditionSet::sequenceIndex(slot);
        list.names << QStringLiteral("SEQ%1").arg(slot + 1);
        sequences->emplace_back(conditions.text(index), conditions.text(index + 1));
    }
    list.broken = [bounds, sequences](QByteArrayView column) {
        const ColumnMeasures measures = Measures::measure(column);
        quint64 mask = 0;
        int bit = 0;
        for (const BoundRule& rule : *bounds) {
            const int value = measures.*rule.measure;
            mask |= quint64(value < rule.low || value > rule.high) << bit++;
        }
        for (const SequenceFilter& sequence : *sequences)
            mask |= quint64(sequence.eliminates(column)) << bit++;
        return mask;
    };
    list.keeps = [broken = list.broken](QByteArrayView column) { return broken(column) == 0; };
    return list;
}
