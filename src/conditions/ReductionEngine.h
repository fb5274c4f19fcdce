#pragma once

#include "conditions/ReductionObserver.h"
#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"
#include "platform/ColumnBuffer.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <array>

// Turns the integral system into the reduced one in memory: one filter pass per enabled kind of
// condition, in a fixed order, each keeping the columns that satisfy its bounds (inclusive) in
// the order of the integral system. A pass that leaves no column ends the run.
namespace ReductionEngine {

constexpr qsizetype ProgressInterval = 65536;

struct PassRecord {
    ReductionPass pass = ReductionPass::SignCounts;
    QString caption;
    qsizetype count = 0; // columns left after the pass
};

struct Result {
    ColumnBuffer survivors;
    QList<PassRecord> passes; // the passes that ran, in order
    bool stoppedEmpty = false;
};

// Every pass of the conditions of the condition set in running order.
const std::array<ReductionPass, 13>& passOrder();
// Those and the passes of the advanced conditions.
const std::array<ReductionPass, 15>& allPasses();

ConditionKind kindOf(ReductionPass pass);
// 0..6 for the sequence passes, -1 for the others.
int sequenceSlotOf(ReductionPass pass);
// "Colonne Condizionate con ..." as the reduction window labels the pass.
QString captionOf(ReductionPass pass);

// Whether the pass takes part: its kind enabled and, for a sequence, its entry "S" exactly.
bool isActive(ReductionPass pass, const ConditionSet& conditions, const QString& enableFlags);

// Runs the active passes over `integral`. A sequence pass that runs stores its trimmed signs
// text back into `conditions`.
Result run(const ColumnBuffer& integral, ConditionSet& conditions, const QString& enableFlags,
           ReductionObserver* observer = nullptr);
// The same with advanced conditions. When they change the reduction, one tolerance pass over
// every rule replaces the passes of the kinds (the active sequences still store their trimmed
// signs), unless the tolerance is 0..0 and there is neither a sum window nor a reference column;
// the most probable columns are chosen last.
Result run(const ColumnBuffer& integral, ConditionSet& conditions, const QString& enableFlags,
           const AdvancedConditions& advanced, ReductionObserver* observer = nullptr);

// The columns of `columns` (at most `count` of them kept) with the highest probability, ties
// in their order, the kept ones in their order; returns how many are left at the front.
qsizetype keepMostProbable(char* columns, qsizetype count, const AdvancedConditions& advanced,
                           qsizetype keep);

// The count label while a pass runs: Str(done) & " su " & Str(total); the signs pass writes
// " su" without the following blank.
QString runningCountText(ReductionPass pass, qsizetype done, qsizetype total);
// The count label after a pass: Str(count).
QString finalCountText(qsizetype count);
// The cost label after a pass: the cost formatted "##,###,##0.00" and " €".
QString costText(qsizetype count, double price, const QLocale& locale = QLocale());

} // namespace ReductionEngine
