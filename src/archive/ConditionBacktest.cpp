#include "archive/ConditionBacktest.h"

#include "output/OutcomeTable.h"

namespace ConditionBacktest {

Result run(const QList<ArchiveRecord>& records, const ConditionRules& rules)
{
    Result result;
    const QList<ConditionRule>& inForce = rules.rules();
    result.brokenBy.fill(0, inForce.size());
    for (const ArchiveRecord& record : records) {
        const QByteArray column = record.column();
        if (column.size() != ColumnBuffer::Width || column.contains('-'))
            continue;
        ++result.tried;
        const ConditionRules::Mask broken = rules.brokenRules(column.constData());
        for (qsizetype rule = 0; rule < inForce.size(); ++rule) {
            if (broken >> rule & 1)
                ++result.brokenBy[rule];
        }
        if (rules.keeps(broken)) {
            ++result.kept;
            continue;
        }
        Eliminated gone{record[ArchiveRecord::Anno], record[ArchiveRecord::Conc], column, {}};
        for (qsizetype rule = 0; rule < inForce.size(); ++rule) {
            if (broken >> rule & 1)
                gone.rules << inForce.at(rule).name;
        }
        result.eliminated << gone;
    }
    return result;
}

bool selectRecords(QSqlDatabase& database, ArchiveStatistics::Interval interval,
                   const QString& season, const QString& last, QList<ArchiveRecord>& records,
                   QString* error)
{
    ArchiveStatistics::Choice choice;
    choice.interval = interval;
    choice.season = season;
    choice.last = last;
    choice.completeOnly = true;
    choice.postOnly = false;
    choice.series.fill(true);
    return ArchiveStatistics::SelectRecords(database, choice, records, error);
}

QString passText(const Result& result)
{
    return QStringLiteral("Passano %1 di %2").arg(result.kept).arg(result.tried);
}

QStringList lines(const Result& result, const ConditionRules& rules)
{
    QStringList out;
    for (qsizetype rule = 0; rule < rules.rules().size(); ++rule)
        out << QStringLiteral("%1 %2 %3")
                   .arg(rules.rules().at(rule).name)
                   .arg(result.brokenBy.at(rule))
                   .arg(OutcomeTable::percentText(result.brokenBy.at(rule), result.tried));
    out << passText(result);
    return out;
}

} // namespace ConditionBacktest
