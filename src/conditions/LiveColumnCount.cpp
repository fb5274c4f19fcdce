#include "conditions/LiveColumnCount.h"

#include "conditions/ReductionEngine.h"

#include <QLocale>

namespace LiveColumnCount {

qsizetype count(const ColumnBuffer& integral, const ConditionSet& conditions,
                const QString& enableFlags, const AdvancedConditions& advanced)
{
    // The engine writes the trimmed sequence texts back into the set it runs on: a copy keeps
    // the caller's set as it was.
    ConditionSet scratch = conditions;
    return ReductionEngine::run(integral, scratch, enableFlags, advanced).survivors.count();
}

QString labelText(std::optional<qsizetype> count)
{
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Colonne rimaste: ") +
           (count ? italian.toString(qlonglong(*count)) : QStringLiteral("-"));
}

} // namespace LiveColumnCount
