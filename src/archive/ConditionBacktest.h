#pragma once

#include "archive/ArchiveRecord.h"
#include "archive/ArchiveStatistics.h"
#include "conditions/ConditionRules.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Would a system's conditions have kept the winning columns of past contests? Every rule in
// force is tried on every complete archived column, and so is the whole set.
namespace ConditionBacktest {

struct Eliminated {
    QString season;
    QString contest;
    QByteArray column;
    QStringList rules; // the rules it broke, in report order
};

struct Result {
    QList<qint64> brokenBy; // per rule, in the order of the rule names
    qint64 tried = 0;       // complete winning columns
    qint64 kept = 0;
    QList<Eliminated> eliminated; // in the order of the records
};

// Columns with a '-' are left out. Kept as the reduction keeps: tolerance and strict kinds
// included.
Result run(const QList<ArchiveRecord>& records, const ConditionRules& rules);

// The complete winning columns chosen as the statistics window chooses them: all, one season
// or the latest n contests, every series, postponed or not. False with the reason in `error`.
bool selectRecords(QSqlDatabase& database, ArchiveStatistics::Interval interval,
                   const QString& season, const QString& last, QList<ArchiveRecord>& records,
                   QString* error);

// "Passano 281 di 300".
QString passText(const Result& result);
// One line per rule, "NAME BROKEN PERCENT", then the pass line.
QStringList lines(const Result& result, const ConditionRules& rules);

} // namespace ConditionBacktest
