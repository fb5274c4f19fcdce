#include "archive/ArchiveStatistics.h"
#include "document/Options.h"
#include "support/CliRunner.h"
#include "support/TestArchives.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace ArchiveStatistics;
using namespace Qt::StringLiterals;

namespace {

// interval "all", "season" or "last" with its text; series as five 0/1 in code order.
Choice choiceOf(int measure, const QString& interval, const QString& text, bool complete, bool post,
                const QString& series)
{
    Choice choice;
    choice.measure = measure;
    choice.interval = interval == "all"_L1      ? Interval::All
                      : interval == "season"_L1 ? Interval::Season
                                                : Interval::Last;
    (choice.interval == Interval::Season ? choice.season : choice.last) = text;
    choice.completeOnly = complete;
    choice.postOnly = post;
    for (int k = 0; k < 5; ++k)
        choice.series[k] = series.at(k) == '1'_L1;
    return choice;
}

// The records a choice selects, worked out here record by record, in season and contest order.
QList<ArchiveRecord> selected(QList<ArchiveRecord> records, const Choice& choice)
{
    const auto later = [](const ArchiveRecord& a, const ArchiveRecord& b) {
        return std::pair(a[ArchiveRecord::Anno], a[ArchiveRecord::Conc].toInt()) >
               std::pair(b[ArchiveRecord::Anno], b[ArchiveRecord::Conc].toInt());
    };
    std::sort(records.begin(), records.end(), later);
    if (choice.interval == Interval::Last)
        records = records.mid(0, choice.last.toInt());
    QList<ArchiveRecord> kept;
    const QStringList codes{"A__", "ABC", "BOC", "VAR", "IND"};
    for (const ArchiveRecord& record : records) {
        if ((choice.completeOnly && record[ArchiveRecord::Comp] != "Si"_L1) ||
            (choice.postOnly && record[ArchiveRecord::Post] != "Si"_L1) ||
            (choice.interval == Interval::Season && record[ArchiveRecord::Anno] != choice.season) ||
            !choice.series[codes.indexOf(record[ArchiveRecord::Serie])])
            continue;
        kept.prepend(record);
    }
    return kept;
}

QMap<QString, int> countsOf(const QList<ArchiveRecord>& records, int measure)
{
    QMap<QString, int> counts;
    for (const ArchiveRecord& record : records)
        ++counts[record[ArchiveRecord::FirstMeasure + measure]];
    return counts;
}

double binomial(int n, int k)
{
    double value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

} // namespace

class TestArchiveStatistics : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QList<ArchiveRecord> m_records;
    QSqlDatabase m_database;

    void addChoiceColumns()
    {
        QTest::addColumn<int>("measure");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("post");
        QTest::addColumn<QString>("series");
    }
    Choice fetchChoice()
    {
        QFETCH(int, measure);
        QFETCH(QString, interval);
        QFETCH(QString, text);
        QFETCH(bool, complete);
        QFETCH(bool, post);
        QFETCH(QString, series);
        return choiceOf(measure, interval, text, complete, post, series);
    }

private slots:
    void initTestCase()
    {
        m_records = TestArchives::generated(120);
        QVERIFY(TestArchives::write(m_dir.path(), m_records));
        m_database = TestArchives::open(m_dir.path(), u"stats"_s);
        QVERIFY(m_database.isOpen());
    }

    void cleanupTestCase()
    {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"stats"_s);
    }

    void statement_data()
    {
        addChoiceColumns();
        QTest::addColumn<QString>("expected");
        QTest::newRow("season, initial choices")
            << 0 << "season"
            << "2004-2005" << true << false << "01001"
            << "SELECT COUNT(S1) AS Colonne, S1 FROM ColonneVincenti WHERE (Comp = 'Si') AND "
               "(Post IN ('Si', 'No')) AND (Anno = '2004-2005') AND (Serie IN ('ABC','IND')) "
               "GROUP BY S1 ORDER BY COUNT(S1) DESC";
        QTest::newRow("latest, postponed, incomplete, every series")
            << 13 << "last"
            << "30" << false << true << "11111"
            << "SELECT COUNT(FC) AS Colonne, FC FROM ColonneTop WHERE (Comp IN ('Si', 'No')) AND "
               "(Post = 'Si') AND (Serie IN ('A__','ABC','BOC','VAR','IND')) GROUP BY FC ORDER "
               "BY COUNT(FC) DESC";
        QTest::newRow("all, series in code order")
            << 3 << "all"
            << "" << true << false << "10011"
            << "SELECT COUNT(SC1) AS Colonne, SC1 FROM ColonneVincenti WHERE (Comp = 'Si') AND "
               "(Post IN ('Si', 'No')) AND (Serie IN ('A__','VAR','IND')) GROUP BY SC1 ORDER BY "
               "COUNT(SC1) DESC";
    }

    void statement()
    {
        QFETCH(QString, expected);
        const Choice choice = fetchChoice();
        QCOMPARE(GroupingStatement(choice, FilterClause(choice)), expected);
    }

    void percent_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a third") << 1 << 3 << "    33";
        QTest::newRow("two thirds, truncated") << 2 << 3 << "    66";
        QTest::newRow("all") << 7 << 7 << "    100";
        QTest::newRow("none") << 0 << 9 << "    0";
    }

    void percent()
    {
        QFETCH(int, count);
        QFETCH(int, total);
        QFETCH(QString, expected);
        QCOMPARE(PercentText(count, total), expected);
    }

    void search_data()
    {
        addChoiceColumns();
        QTest::newRow("latest 50, complete ABC") << 0 << "last"
                                                 << " 50 " << true << false << "01000";
        QTest::newRow("latest beyond the archive") << 1 << "last"
                                                   << "500" << false << false << "11111";
        QTest::newRow("season") << 6 << "season"
                                << "2001-2002" << true << false << "01001";
        QTest::newRow("all, postponed") << 12 << "all"
                                        << "" << false << true << "11111";
        QTest::newRow("season never archived") << 2 << "season"
                                               << "1990-1991" << false << false << "11111";
    }

    void search()
    {
        const Choice choice = fetchChoice();
        const QString before = TestArchives::tablesAndCount(m_database);
        Result result;
        QString filter, error;
        QVERIFY2(Search(m_database, choice, result, filter, &error), qPrintable(error));
        QCOMPARE(filter, FilterClause(choice));

        const QList<ArchiveRecord> expected = selected(m_records, choice);
        QMap<QString, int> counts;
        for (qsizetype k = 0; k < result.rows.size(); ++k) {
            counts.insert(result.rows[k].value, result.rows[k].count);
            if (k > 0)
                QVERIFY(result.rows[k - 1].count >= result.rows[k].count);
        }
        QCOMPARE(counts, countsOf(expected, choice.measure));
        QCOMPARE(result.total, expected.size());
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }

    void leftoverCopyIsReplaced()
    {
        const QString before = TestArchives::tablesAndCount(m_database);
        QSqlQuery(m_database).exec(u"CREATE TABLE ColonneTop (Stale TEXT)"_s);
        const Choice choice = choiceOf(4, u"last"_s, u"10"_s, false, false, u"11111"_s);
        Result result;
        QString filter, error;
        QVERIFY2(Search(m_database, choice, result, filter, &error), qPrintable(error));
        QCOMPARE(result.total, 10);
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);

        // The printout's copy stays behind; the next one replaces it.
        QList<ArchiveRecord> records;
        Choice printed = choice;
        for (const QString& last : {u"7"_s, u"5"_s}) {
            printed.last = last;
            QVERIFY2(SelectRecords(m_database, printed, filter, records, &error),
                     qPrintable(error));
        }
        const QList<ArchiveRecord> expected = selected(m_records, printed);
        QCOMPARE(records.size(), expected.size());
        for (qsizetype k = 0; k < records.size(); ++k)
            QCOMPARE(records[k].fields, expected[k].fields);
        QVERIFY(QSqlQuery(m_database).exec(u"DROP TABLE ColonneTop"_s));
    }

    void seasonRecords()
    {
        const Choice choice = choiceOf(0, u"season"_s, u"2002-2003"_s, true, false, u"01001"_s);
        QList<ArchiveRecord> records;
        QString error;
        QVERIFY2(SelectRecords(m_database, choice, FilterClause(choice), records, &error),
                 qPrintable(error));
        const QList<ArchiveRecord> expected = selected(m_records, choice);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(records.size(), expected.size());
        for (qsizetype k = 0; k < records.size(); ++k)
            QCOMPARE(records[k].fields, expected[k].fields);
    }

    void refusedLatestCount_data()
    {
        QTest::addColumn<QString>("last");
        QTest::newRow("word") << "abc";
        QTest::newRow("second statement") << "5; DROP TABLE ColonneVincenti";
    }

    void refusedLatestCount()
    {
        QFETCH(QString, last);
        const QString before = TestArchives::tablesAndCount(m_database);
        const Choice choice = choiceOf(0, u"last"_s, last, true, false, u"01001"_s);
        Result result;
        QString filter, error;
        QVERIFY(!Search(m_database, choice, result, filter, &error));
        QVERIFY2(QRegularExpression(u"^Errore \\d+ \\(.+\\)$"_s).match(error).hasMatch(),
                 qPrintable(error));
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }

    void integralShares()
    {
        // S1: k matches with 1, the others X or 2. IG: the first sign free, then k of the 12
        // neighbours differing (two ways each), the others repeating.
        const Distribution signs = distribution(0, Result{{{3, u"5"_s}, {2, u"7"_s}}, 5});
        const Distribution breaks = distribution(6, Result{});
        constexpr double Integral = 1594323;
        for (int k = 0; k <= 13; ++k) {
            QVERIFY(qAbs(signs.integralShare[k] -
                         binomial(13, k) * std::pow(2, 13 - k) / Integral) < 1e-12);
            const double changes = k <= 12 ? 3 * binomial(12, k) * std::pow(2, k) : 0;
            QVERIFY(qAbs(breaks.integralShare[k] - changes / Integral) < 1e-12);
            QCOMPARE(signs.archived[k], k == 5 ? 3 : k == 7 ? 2 : 0);
        }
    }

    void commandLine()
    {
        // The default number of latest contests comes from the options.
        Options options;
        options[Options::StatsLastColumns] = u"20"_s;
        QVERIFY(options.write(QDir(m_dir.path()).filePath(Options::fileName())));
        const CliRun run = runCli(
            {u"stats"_s, u"SX"_s, u"--series"_s, u"ABC,IND"_s, u"--app-folder"_s, m_dir.path()});
        QCOMPARE(run.status, 0);
        const Choice choice = choiceOf(1, u"last"_s, u"20"_s, true, false, u"01001"_s);
        const QList<ArchiveRecord> expected = selected(m_records, choice);
        QStringList lines;
        const QMap<QString, int> counts = countsOf(expected, 1);
        for (auto it = counts.begin(); it != counts.end(); ++it)
            lines << u"%1 %2 %3"_s.arg(it.key())
                         .arg(it.value())
                         .arg(it.value() * 100 / expected.size());
        QStringList printed = run.lines();
        QCOMPARE(printed.takeLast(), u"Totale %1"_s.arg(expected.size()));
        printed.sort();
        lines.sort();
        QCOMPARE(printed, lines);
    }

    void commandLineRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("measure") << QStringList{u"S4"_s};
        QTest::newRow("latest count") << QStringList{u"S1"_s, u"--last"_s, u"abc"_s};
        QTest::newRow("series") << QStringList{u"S1"_s, u"--series"_s, u"ABC,XYZ"_s};
        QTest::newRow("two intervals") << QStringList{u"S1"_s, u"--all"_s, u"--last"_s, u"5"_s};
    }

    void commandLineRefuses()
    {
        QFETCH(QStringList, arguments);
        const QString before = TestArchives::tablesAndCount(m_database);
        const CliRun run = runCli(QStringList{u"stats"_s} + arguments +
                                  QStringList{u"--app-folder"_s, m_dir.path()});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }
};

QTEST_GUILESS_MAIN(TestArchiveStatistics)
#include "testArchiveStatistics.moc"
