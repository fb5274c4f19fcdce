#include "archive/ConditionBacktest.h"

#include "output/OutcomeTable.h"

namespace ConditionBacktest {

Result run(const QList<ArchiveRecord>& records, const BacktestRuleList& rules)
{
    Result result;
    result.brokenBy.fill(0, rules.names.size());
    for (const ArchiveRecord& record : records) {
        const QByteArray column = record.column();
        if (column.size() != ColumnBuffer::Width || column.contains('-'))
            continue;
        ++result.tried;
        const quint64 broken = rules.broken ? rules.broken(column) : 0;
        for (qsizetype rule = 0; rule < rules.names.size(); ++rule) {
            if (broken >> rule & 1)
                ++result.brokenBy[rule];
        }
        if (!rules.keeps || rules.keeps(column)) {
            ++result.kept;
            continue;
        }
        Eliminated gone{record[ArchiveRecord::Anno], record[ArchiveRecord::Conc], column, {}};
        for (qsizetype rule = 0; rule < rules.names.size(); ++rule) {
            if (broken >> rule & 1)
                gone.rules << rules.names.at(rule);
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

QStringList lines(const Result& result, const BacktestRuleList& rules)
{
    QStringList out;
    for (qsizetype rule = 0; rule < rules.names.size(); ++rule)
        out << QStringLiteral("%1 %2 %3")
                   .arg(rules.names.at(rule))
                   .arg(result.brokenBy.at(rule))
                   .arg(OutcomeTable::percentText(result.brokenBy.at(rule), result.tried));
    out << passText(result);
    return out;
}

} // namespace ConditionBacktest
