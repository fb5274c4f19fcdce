#include "archive/ArchiveStatistics.h"
#include "document/Options.h"
#include "support/CliRunner.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QDir>
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
            QVERIFY2(SelectRecords(m_database, choice, records, &error), qPrintable(error));
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
            QCOMPARE(error, u"Numero di Colonne non valido: "_s + last);
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

    // A small archive counted by hand, read through the command line. It is only read: the file
    // stays byte for byte the same, so an archive on read-only media serves as well.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("printed"); // lines joined by '|'; the status is 1 with an error
        // Complete ABC or IND columns: A, F, H have 13 X; B, G 6; D 7.
        QTest::newRow("all") << u"stats SX --all"_s << u"13 3 50|6 2 33|7 1 16|Totale 6"_s;
        // The latest four from the options: H, G, F, E; E is BOC.
        QTest::newRow("latest, from the options") << u"stats SX"_s << u"13 2 66|6 1 33|Totale 3"_s;
        // H, G, F, E, D, C, B: C is incomplete; G and B have seven 1.
        QTest::newRow("latest seven, every series")
            << u"stats S1 --last 7 --series A__,ABC,BOC,VAR,IND"_s << u"0 4 66|7 2 33|Totale 6"_s;
        QTest::newRow("one season, incomplete too")
            << u"stats SX --season 2005-2006 --incomplete --series A__,ABC,BOC,VAR,IND"_s
            << u"13 3 75|6 1 25|Totale 4"_s;
        QTest::newRow("season list")
            << u"archive list --season 2004-2005"_s
            << u"2004-2005 1 1X1X1X1X1X1X1 IND Si Si 7 6 0 1 1 0 12 12 6 6 0 0 11 11|"
               "2004-2005 2 1X2X11X2-1X21 ABC No No 5 4 3 2 1 1 11 7 1 1 2 1 1 1|"
               "2004-2005 3 X2X2X2XX22XX2 ABC Si Si 0 7 6 0 2 2 9 6 2 2 4 2 5 5"_s;
        // Typed text never reaches a statement: a season is two consecutive years.
        const QString season =
            u"Stagione non valida: scrivere AAAA-AAAA con due anni consecutivi."_s;
        QTest::newRow("quote in the season") << u"stats S1 --season ') OR 1--"_s << season;
        QTest::newRow("years apart") << u"stats S1 --season 2004-2006"_s << season;
        QTest::newRow("latest zero")
            << u"stats S1 --last 0"_s << u"Numero di Colonne non valido: 0"_s;
    }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        const auto record = [](const char* season, int contest, const char* column,
                               const char* series, const char* post) {
            return TestArchives::record(QString::fromLatin1(season), contest, column,
                                        QString::fromLatin1(series), QString::fromLatin1(post));
        };
        QVERIFY(TestArchives::write(dir.path(),
                                    {record("2003-2004", 5, "XXXXXXXXXXXXX", "ABC", "No"),     // A
                                     record("2004-2005", 1, "1X1X1X1X1X1X1", "IND", "Si"),     // B
                                     record("2004-2005", 2, "1X2X11X2-1X21", "ABC", "No"),     // C
                                     record("2004-2005", 3, "X2X2X2XX22XX2", "ABC", "Si"),     // D
                                     record("2005-2006", 1, "XXXXXXXXXXXXX", "BOC", "No"),     // E
                                     record("2005-2006", 2, "XXXXXXXXXXXXX", "ABC", "Si"),     // F
                                     record("2005-2006", 3, "1X1X1X1X1X1X1", "ABC", "No"),     // G
                                     record("2005-2006", 10, "XXXXXXXXXXXXX", "IND", "No")})); // H
        Options options;
        options[Options::StatsLastColumns] = u"4"_s;
        QVERIFY(options.write(QDir(dir.path()).filePath(Options::fileName())));
        const QString archive = QDir(dir.path()).filePath(u"ColVin13.mdb"_s);
        const QByteArray before = TestSystems::fileContent(archive);
        const CliRun run =
            runCli(arguments.split(u' ') + QStringList{u"--app-folder"_s, dir.path()});
        if (printed.contains(u' ') && !printed.contains(u':')) {
            QCOMPARE(run.status, 0);
            QCOMPARE(run.lines().join(u'|'), printed);
        } else {
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err, printed + u'\n');
        }
        QCOMPARE(TestSystems::fileContent(archive), before);
    }

    void refusalsAndPrintout()
    {
        const QString before = TestArchives::tablesAndCount(m_database);
        for (const QString& wrong :
             {u"S4"_s, u"S1 --last 0"_s, u"S1 --series ABC,XYZ"_s, u"S1 --all --last 5"_s}) {
            const CliRun refused = runCli(QStringList{u"stats"_s} + wrong.split(u' ') +
                                          QStringList{u"--app-folder"_s, m_dir.path()});
            QCOMPARE(refused.status, 1);
            QVERIFY(refused.out.isEmpty() && !refused.err.isEmpty());
        }
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);

        // 120 records at 40 a page; Qt's own notes on the platform stay out of the output.
        const QString pdf = QDir(m_dir.path()).filePath(u"archivio.pdf"_s);
        qunsetenv("XDG_RUNTIME_DIR");
        const CliRun printed =
            runCli({u"print"_s, u"archive"_s, u"--pdf"_s, pdf, u"--app-folder"_s, m_dir.path()});
        QCOMPARE(printed.status, 0);
        QCOMPARE(printed.err, QString());
        QVERIFY(TestSystems::fileContent(pdf).contains("/Count 3"));
        QCOMPARE(TestArchives::tablesAndCount(m_database), before);
    }
};

QTEST_GUILESS_MAIN(TestArchiveStatistics)
#include "testArchiveStatistics.moc"
