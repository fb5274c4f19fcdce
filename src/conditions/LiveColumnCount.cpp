#include "conditions/LiveColumnCount.h"

#include "conditions/ConditionRules.h"
#include "conditions/ReductionEngine.h"

#include <QLocale>

namespace LiveColumnCount {

qsizetype count(const ColumnBuffer& integral, const ConditionSet& conditions,
                const QString& enableFlags, const AdvancedConditions& advanced)
{
    // The most probable columns choose among the others without changing their number: only
    // the count before them is needed.
    const auto mostProbable = [&advanced](qsizetype count) {
        return advanced.topCount > 0 ? qMin(count, qsizetype{advanced.topCount}) : count;
    };
    if (ReductionEngine::usesTolerancePass(advanced))
        return mostProbable(ConditionRules(conditions, enableFlags, advanced).countKept(integral));
    // The engine writes the trimmed sequence texts back into the set it runs on: a copy keeps
    // the caller's set as it was.
    ConditionSet scratch = conditions;
    return mostProbable(ReductionEngine::run(integral, scratch, enableFlags).survivors.count());
}

QString labelText(std::optional<qsizetype> count)
{
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Colonne rimaste: ") +
           (count ? italian.toString(qlonglong(*count)) : QStringLiteral("-"));
}

} // namespace LiveColumnCount
