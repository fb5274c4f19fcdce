#include "BenchSupport.h"

#include "archive/ArchiveStore.h"
#include "archive/ConditionBacktest.h"
#include "conditions/ConditionRules.h"
#include "document/ConditionSet.h"
#include "document/IntegralGenerator.h"
#include "output/LiveResults.h"
#include "output/OutcomeTable.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// The 3^10 columns whose three check sums over the 13 directions of three ternary digits are
// zero: every column of the space is at most one sign away from one of them.
ColumnBuffer hammingCover()
{
    QList<std::array<int, 3>> directions;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            for (int c = 0; c < 3; ++c)
                if ((a ? a : b ? b : c) == 1)
                    directions.append({a, b, c});
    ColumnBuffer cover;
    for (qint32 index = 0; index < OutcomeTable::SpaceSize; ++index) {
        std::array<int, 3> sums{};
        QByteArray column(13, '1');
        qint32 rest = index;
        for (int k = 0; k < 13; ++k, rest /= 3) {
            column[k] = "1X2"[rest % 3];
            for (int r = 0; r < 3; ++r)
                sums[r] += directions[k][r] * (rest % 3);
        }
        if (sums[0] % 3 == 0 && sums[1] % 3 == 0 && sums[2] % 3 == 0)
            cover.append(column);
    }
    return cover;
}

ColumnBuffer randomSystem(int count)
{
    QRandomGenerator random(21);
    ColumnBuffer columns;
    for (int i = 0; i < count; ++i) {
        QByteArray column(13, '1');
        for (char& sign : column)
            sign = "1X2"[random.bounded(3)];
        columns.append(column);
    }
    return columns;
}

} // namespace

void benchEvidence()
{
    std::array<QString, 13> triples;
    triples.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(triples);
    const auto outcomesOverAll = [](const QString& what, const ColumnBuffer& played) {
        report(QStringLiteral("outcomes over all 3^13, ") + what, medianMilliseconds(5, [&] {
                   OutcomeTable::countAll(OutcomeTable::nearestErrors(played));
               }));
    };
    outcomesOverAll(QStringLiteral("the 3^13 integral"), integral);
    outcomesOverAll(QStringLiteral("a 59,049-column cover"), hammingCover());
    outcomesOverAll(QStringLiteral("1,000 columns"), randomSystem(1000));

    // A keystroke: one result typed, on a system of every column.
    QByteArray results = "1X2-1X2-1X2--";
    report(QStringLiteral("live results, one keystroke on 3^13 columns"),
           medianMilliseconds(9, [&] {
               results[3] = results[3] == '-' ? 'X' : '-';
               LiveResults::evaluate(integral, results, 200);
           }));

    // 250 seasons of 40 contests, now and then a match that did not count.
    QList<ArchiveRecord::TypedFields> contests;
    QRandomGenerator random(13);
    for (int k = 0; k < 10000; ++k) {
        ArchiveRecord::TypedFields typed;
        typed[ArchiveRecord::Anno] = QStringLiteral("%1-%2").arg(1800 + k / 40).arg(1801 + k / 40);
        typed[ArchiveRecord::Conc] = QString::number(k % 40 + 1);
        for (int match = 0; match < 13; ++match)
            typed[ArchiveRecord::FirstSign + match] =
                QString(QLatin1Char(random.bounded(40) == 0 ? '-' : "1X2"[random.bounded(3)]));
        typed[ArchiveRecord::Serie] = QStringLiteral("ABC");
        typed[ArchiveRecord::Post] = QStringLiteral("No");
        contests << typed;
    }
    QTemporaryDir folder;
    ArchiveStore store(folder.path());
    QString error;
    ArchiveStore::ImportCount counted;
    if (!store.open(&error) ||
        !store.importRecords(
            contests,
            [](const ArchiveRecord::TypedFields&) { return ArchiveStore::Duplicate::Skip; },
            counted, &error))
        qFatal("%s", qPrintable(error));
    ConditionSet conditions;
    const QList<double> bounds = {3, 7,  2, 6, 2, 6, 1, 5, 1, 3, 1, 4,
                                  5, 10, 1, 6, 1, 5, 0, 3, 0, 4, 0, 3};
    for (int i = 1; i <= 24; ++i)
        conditions.set(i, bounds[i - 1]);
    conditions.set(25, QStringLiteral("22"));
    conditions.set(26, QStringLiteral("1-2"));
    conditions.set(27, QStringLiteral("S"));
    const ConditionRules rules(conditions, QStringLiteral("1111110"), AdvancedConditions());
    report(QStringLiteral("archive check of the conditions, 10,000 contests"),
           medianMilliseconds(5, [&] {
               QList<ArchiveRecord> records;
               QSqlDatabase database = store.database();
               if (!ConditionBacktest::selectRecords(database, ArchiveStatistics::Interval::All, {},
                                                     {}, records, &error))
                   qFatal("%s", qPrintable(error));
               ConditionBacktest::run(records, rules);
           }));
}
