#include "archive/ArchiveStatistics.h"
#include "document/Options.h"
#include "support/CliRunner.h"
#include "support/TestArchives.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace ArchiveStatistics;
using namespace Qt::StringLiterals;

namespace {

// "S1 season 2004-2005 complete 01001": the measure, the interval (all, season, last) with its
// text, the flags ticked ("complete", "post") and the five series in code order.
Choice choiceOf(const QString& text)
{
    const QStringList words = text.split(u' ');
    Choice choice;
    while (words[0] != QLatin1String(measureTable()[choice.measure].field))
        ++choice.measure;
    choice.interval = words[1] == "all"_L1      ? Interval::All
                      : words[1] == "season"_L1 ? Interval::Season
                                                : Interval::Last;
    choice.season = choice.last = words[2];
    choice.completeOnly = words.contains(u"complete"_s);
    choice.postOnly = words.contains(u"post"_s);
    for (int k = 0; k < 5; ++k)
        choice.series[k] = words.last()[k] == u'1';
    return choice;
}

// The records a choice selects, worked out record by record, in season and contest order.
QList<ArchiveRecord> selected(QList<ArchiveRecord> records, const Choice& choice)
{
    if (choice.interval == Interval::Last)
        records = records.mid(std::max<qsizetype>(0, records.size() - choice.last.toInt()));
    const QStringList codes{"A__", "ABC", "BOC", "VAR", "IND"};
    erase_if(records, [&](const ArchiveRecord& record) {
        return (choice.completeOnly && record[ArchiveRecord::Comp] != "Si"_L1) ||
               (choice.postOnly && record[ArchiveRecord::Post] != "Si"_L1) ||
               (choice.interval == Interval::Season &&
                record[ArchiveRecord::Anno] != choice.season) ||
               !choice.series[codes.indexOf(record[ArchiveRecord::Serie])];
    });
    return records;
}

double binomial(int n, int k)
{
    return k == 0 ? 1 : binomial(n, k - 1) * (n - k + 1) / k;
}

} // namespace

class TestArchiveStatistics : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    // In season and contest order, as the archive sorts them.
    const QList<ArchiveRecord> m_records = TestArchives::generated(120);
    QSqlDatabase m_database;

    Result searched(const Choice& choice)
    {
        Result result;
        QString filter, error;
        [&] { QVERIFY2(Search(m_database, choice, result, filter, &error), qPrintable(error)); }();
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TestArchives::write(m_dir.path(), m_records));
        m_database = TestArchives::open(m_dir.path(), u"stats"_s);
    }
    // What a printout leaves behind must not reach the next case.
    void cleanup() { QSqlQuery(u"DROP TABLE IF EXISTS ColonneTop"_s, m_database); }

    void search_data()
    {
        // The choice, then the statement when checked word for word.
        QTest::addColumn<QString>("choice");
        QTest::newRow("season")
            << "S1 season 2004-2005 complete 01001|SELECT COUNT(S1) AS Colonne, "
               "S1 FROM ColonneVincenti WHERE (Comp = 'Si') AND (Post IN ('Si', "
               "'No')) AND (Anno = '2004-2005') AND (Serie IN ('ABC','IND')) "
               "GROUP BY S1 ORDER BY COUNT(S1) DESC";
        QTest::newRow("latest, postponed")
            << "FC last 30 post 10011|SELECT COUNT(FC) AS Colonne, FC "
               "FROM ColonneTop WHERE (Comp IN ('Si', 'No')) AND "
               "(Post = 'Si') AND (Serie IN ('A__','VAR','IND')) "
               "GROUP BY FC ORDER BY COUNT(FC) DESC";
        QTest::newRow("latest 50, complete ABC") << "S1 last 50 complete 01000";
        QTest::newRow("latest beyond the archive") << "SX last 500 11111";
        QTest::newRow("one season") << "IG season 2001-2002 complete 01001";
        QTest::newRow("all") << "FG all - post 11111";
    }

    void search()
    {
        QFETCH(QString, choice);
        const QString statement = choice.section(u'|', 1);
        choice = choice.section(u'|', 0, 0);
        const Choice chosen = choiceOf(choice);
        if (!statement.isEmpty())
            QCOMPARE(GroupingStatement(chosen, FilterClause(chosen)), statement);
        const QString before = TestArchives::tablesAndCount(m_database);
        const Result result = searched(chosen);
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);

        QMap<QString, int> counts, expected;
        for (qsizetype k = 0; k < result.rows.size(); ++k) {
            counts.insert(result.rows[k].value, result.rows[k].count);
            QVERIFY(k == 0 || result.rows[k - 1].count >= result.rows[k].count);
        }
        const QList<ArchiveRecord> records = selected(m_records, chosen);
        for (const ArchiveRecord& record : records)
            ++expected[record[ArchiveRecord::FirstMeasure + chosen.measure]];
        QCOMPARE(counts, expected);
        QCOMPARE(result.total, records.size());
    }

    void percent()
    {
        QCOMPARE(PercentText(1, 3), u"    33"_s);
        QCOMPARE(PercentText(2, 3), u"    66"_s);
    }

    void printedRecordsReplaceALeftoverCopy()
    {
        QSqlQuery(u"CREATE TABLE ColonneTop (Stale TEXT)"_s, m_database);
        QCOMPARE(searched(choiceOf(u"SCX last 10 11111"_s)).total, 10);
        QList<ArchiveRecord> records;
        QString error;
        for (const QString& line : {u"SC last 40 11111"_s, u"SC last 35 10101"_s,
                                    u"SC season 2002-2003 complete 01001"_s}) {
            const Choice choice = choiceOf(line);
            QVERIFY2(SelectRecords(m_database, choice, FilterClause(choice), records, &error),
                     qPrintable(error));
            const QList<ArchiveRecord> expected = selected(m_records, choice);
            QCOMPARE(records.size(), expected.size());
            for (qsizetype k = 0; k < records.size(); ++k)
                QCOMPARE(records[k].fields, expected[k].fields);
        }
    }

    void refusedLatestCount()
    {
        const QString before = TestArchives::tablesAndCount(m_database);
        for (const QString& last : {u"abc"_s, u"5;DROP TABLE ColonneVincenti"_s}) {
            Choice choice;
            choice.last = last;
            Result result;
            QString filter, error;
            QVERIFY(!Search(m_database, choice, result, filter, &error));
            QVERIFY2(QRegularExpression(u"^Errore \\d+ \\(.+\\)$"_s).match(error).hasMatch(),
                     qPrintable(error));
        }
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }

    void integralShares()
    {
        // S1: k matches with 1, the others X or 2. IG: the first sign free, then k of the 12
        // neighbours differing (two ways each), the others repeating.
        const Distribution signs = distribution(0, Result{{{3, u"5"_s}, {2, u"7"_s}}, 5});
        const Distribution breaks = distribution(6, Result{});
        for (int k = 0; k <= 13; ++k) {
            QCOMPARE(signs.integralShare[k] * 1594323, binomial(13, k) * std::pow(2, 13 - k));
            QCOMPARE(breaks.integralShare[k] * 1594323,
                     k > 12 ? 0 : 3 * binomial(12, k) * std::pow(2, k));
            QCOMPARE(signs.archived[k], k == 5 ? 3 : k == 7 ? 2 : 0);
        }
    }

    void commandLine()
    {
        // The number of latest contests comes from the options unless given.
        Options options;
        options[Options::StatsLastColumns] = u"20"_s;
        QVERIFY(options.write(QDir(m_dir.path()).filePath(Options::fileName())));
        const CliRun run = runCli({u"stats"_s, u"SX"_s, u"--app-folder"_s, m_dir.path()});
        QCOMPARE(run.status, 0);
        const Result result = searched(choiceOf(u"SX last 20 complete 01001"_s));
        QStringList lines;
        for (const Row& row : result.rows)
            lines << u"%1 %2 %3"_s.arg(row.value).arg(row.count).arg(row.count * 100 /
                                                                     result.total);
        QCOMPARE(run.lines(), lines << u"Totale %1"_s.arg(result.total));

        const QString before = TestArchives::tablesAndCount(m_database);
        for (const QString& wrong :
             {u"S4"_s, u"S1 --last 0"_s, u"S1 --series ABC,XYZ"_s, u"S1 --all --last 5"_s}) {
            const CliRun refused = runCli(QStringList{u"stats"_s} + wrong.split(u' ') +
                                          QStringList{u"--app-folder"_s, m_dir.path()});
            QCOMPARE(refused.status, 1);
            QVERIFY(refused.out.isEmpty() && !refused.err.isEmpty());
        }
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);

        // 120 records at 40 a page.
        const QString pdf = QDir(m_dir.path()).filePath(u"archivio.pdf"_s);
        QCOMPARE(
            runCli({u"print"_s, u"archive"_s, u"--pdf"_s, pdf, u"--app-folder"_s, m_dir.path()})
                .status,
            0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("/Count 3"));
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }
};

QTEST_GUILESS_MAIN(TestArchiveStatistics)
#include "testArchiveStatistics.moc"
