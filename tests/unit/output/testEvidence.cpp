#include "archive/ConditionBacktest.h"
#include "conditions/ConditionRules.h"
#include "document/SystemFiles.h"
#include "output/LiveResults.h"
#include "output/OutcomeTable.h"
#include "support/CliRunner.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace TestSystems;

namespace {

// Triples on matches 1 and 2, a fixed 1 on the other eleven: 9 columns; two of them played.
SystemDocument twoTriples()
{
    QStringList signs(13, u"1"_s);
    signs[0] = signs[1] = u"1X2"_s;
    SystemDocument document = withPrediction(signs);
    document.WorkColumns = columnsOf({"1111111111111", "XX11111111111"});
    document.ReducedCount = 2;
    return document;
}

// Every column of the space, counted in the same base-3 order as a plain odometer.
QByteArray columnAt(qint32 index)
{
    QByteArray column(13, '1');
    for (int k = 0; k < 13; ++k, index /= 3)
        column[k] = "1X2"[index % 3];
    return column;
}

int matches(QByteArrayView a, QByteArrayView b)
{
    int same = 0;
    for (int k = 0; k < 13; ++k)
        same += a[k] == b[k];
    return same;
}

// Three complete contests and one with a match without result.
QList<ArchiveRecord> threeContests()
{
    return {TestArchives::record(u"2004-2005"_s, 1, "1111111111111"),
            TestArchives::record(u"2004-2005"_s, 2, "1X21X21X21X21"),
            TestArchives::record(u"2005-2006"_s, 1, "11X2X2X21X21X"),
            TestArchives::record(u"2005-2006"_s, 2, "1X2-11111XXXX")};
}

// S1 3..7, SX and S2 2..5, and the sequence 11 on matches 1-2 excluded.
void backtestConditions(SystemDocument& document)
{
    const QList<double> bounds = {3, 7, 2, 5, 2, 5};
    for (int k = 1; k <= 6; ++k)
        document.Conditions.set(k, bounds[k - 1]);
    document.Conditions.set(25, u"11"_s);
    document.Conditions.set(26, u"1-2"_s);
    document.Conditions.set(27, u"S"_s);
    document.EnableFlags = u"1000010"_s;
}

} // namespace

class TestEvidence : public QObject {
    Q_OBJECT
private slots:
    void outcomesByHand_data()
    {
        QTest::addColumn<OutcomeTable::Over>("over");
        QTest::addColumn<QList<qint64>>("top"); // 13, 12, 11, 10 points
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("errorsTo");
        // 11 and XX make 13; one sign away from either, 12; 22 is two away from both.
        QTest::newRow("integral") << OutcomeTable::Over::Integral << QList<qint64>{2, 6, 1, 0}
                                  << qint64(9) << 0;
        // e errors on the eleven fixed matches, f on the two triples: C(11,e) 2^e ways times
        // 2, 6, 1 ways for f = 0, 1, 2.
        QTest::newRow("all") << OutcomeTable::Over::All
                             << QList<qint64>{2, 6 + 2 * 22, 1 + 6 * 22 + 2 * 55 * 4,
                                              22 + 6 * 220 + 2 * 165 * 8}
                             << qint64(1594323) << 0;
        // At least twelve 1s: 11, 1X, X1, 12, 21.
        QTest::newRow("conditions")
            << OutcomeTable::Over::Conditions << QList<qint64>{1, 4, 0, 0} << qint64(5) << 0;
        // One error allowed: breaking S1 alone keeps every column.
        QTest::newRow("conditions with one error")
            << OutcomeTable::Over::Conditions << QList<qint64>{2, 6, 1, 0} << qint64(9) << 1;
    }
    void outcomesByHand()
    {
        QFETCH(OutcomeTable::Over, over);
        QFETCH(QList<qint64>, top);
        QFETCH(qint64, total);
        QFETCH(int, errorsTo);
        SystemDocument document = twoTriples();
        document.Advanced.errorsTo = errorsTo;
        const QList<double> bounds = {12, 13, 0, 13, 0, 13};
        for (int k = 1; k <= 6; ++k)
            document.Conditions.set(k, bounds[k - 1]);
        const OutcomeTable::Table table =
            OutcomeTable::forSystem(document, document.Advanced, over);
        const auto& points = table.byPoints;
        QCOMPARE((QList<qint64>{points[13], points[12], points[11], points[10]}), top);
        QCOMPARE(table.total, total);
    }

    void outcomesAgreeWithBruteForce_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("played");
        QTest::newRow("one column") << 7u << 1;
        QTest::newRow("a few") << 11u << 9;
        QTest::newRow("many") << 23u << 120;
    }
    void outcomesAgreeWithBruteForce()
    {
        QFETCH(quint32, seed);
        QFETCH(int, played);
        // Five triples: 243 winning columns; the played ones drawn from them, and one from
        // anywhere.
        SystemDocument document = withPrediction(
            {"1X2", "1X2", "1X2", "1X2", "1X2", "1", "X", "2", "1", "1", "1", "1", "1"});
        QRandomGenerator random(seed);
        ColumnBuffer chosen;
        for (int i = 0; i < played; ++i)
            chosen.append(document.IntegralColumns.column(random.bounded(243)));
        chosen.append(randomColumns(1, seed).column(0));
        const std::vector<quint8> errors = OutcomeTable::nearestErrors(chosen);
        const OutcomeTable::Table table = OutcomeTable::countOver(errors, document.IntegralColumns);
        std::array<qint64, 14> expected{};
        for (qsizetype w = 0; w < document.IntegralColumns.count(); ++w) {
            int best = 0;
            for (qsizetype c = 0; c < chosen.count(); ++c)
                best =
                    std::max(best, matches(document.IntegralColumns.column(w), chosen.column(c)));
            ++expected[best];
        }
        QCOMPARE(table.byPoints, expected);
        QCOMPARE(table.total, 243);
    }

    void hammingCoverNeverBelowTwelve()
    {
        // The ternary Hamming code: its check matrix has one representative of each of the 13
        // directions of the space of three ternary digits, its first non-zero digit a 1.
        const int directions[13][3] = {{0, 0, 1}, {0, 1, 0}, {0, 1, 1}, {0, 1, 2}, {1, 0, 0},
                                       {1, 0, 1}, {1, 0, 2}, {1, 1, 0}, {1, 1, 1}, {1, 1, 2},
                                       {1, 2, 0}, {1, 2, 1}, {1, 2, 2}};
        ColumnBuffer code;
        for (qint32 index = 0; index < 1594323; ++index) {
            std::array<int, 3> syndrome{};
            qint32 rest = index;
            for (int k = 0; k < 13; ++k, rest /= 3)
                for (int r = 0; r < 3; ++r)
                    syndrome[r] += directions[k][r] * (rest % 3);
            if (syndrome[0] % 3 == 0 && syndrome[1] % 3 == 0 && syndrome[2] % 3 == 0)
                code.append(columnAt(index));
        }
        QCOMPARE(code.count(), 59049);
        const OutcomeTable::Table all = OutcomeTable::countAll(OutcomeTable::nearestErrors(code));
        QCOMPARE(all.byPoints[13], qint64(59049));
        QCOMPARE(all.byPoints[12], qint64(1594323 - 59049));
        QCOMPARE(all.total, qint64(1594323));
    }

    void chancesWeighOutcomes()
    {
        // One column of 1s; every match 1 at 50, X and 2 at 25: a 13 has 0.5^13, a 12 takes one
        // of 13 misses, an 11 one of 78 pairs, a 10 one of 286 triples.
        AdvancedConditions advanced;
        AdvancedConditions::SignValues values;
        values.fill({50, 25, 25});
        advanced.setValues(values);
        const auto weights = OutcomeTable::weightsOf(advanced);
        QVERIFY(weights);
        const auto chances = OutcomeTable::chances(
            OutcomeTable::nearestErrors(columnsOf({"1111111111111"})), *weights);
        QCOMPARE(OutcomeTable::chanceLines(chances),
                 (QStringList{"Probabilità 13 0.0122", "Probabilità 12 o più 0.1709",
                              "Probabilità 11 o più 1.1230", "Probabilità 10 o più 4.6143"}));
        QVERIFY(!OutcomeTable::weightsOf(AdvancedConditions()));
    }

    void liveByHand_data()
    {
        QTest::addColumn<QByteArray>("results");
        QTest::addColumn<int>("best");
        QTest::addColumn<QList<qint64>>("sure");      // 13, 12, 11, 10
        QTest::addColumn<QList<qint64>>("possible");  // 13, 12, 11, 10
        QTest::addColumn<QList<qsizetype>>("listed"); // at most one asked for
        // The first column has 12 and may make 13; the second lost match 1.
        QTest::newRow("last missing") << "111111111111-"_ba << 12 << QList<qint64>{0, 1, 2, 2}
                                      << QList<qint64>{1, 2, 2, 2} << QList<qsizetype>{0};
        // The second column wins match 13 back.
        QTest::newRow("all played") << "111111111111X"_ba << 12 << QList<qint64>{0, 2, 2, 2}
                                    << QList<qint64>{0, 2, 2, 2} << QList<qsizetype>{};
        QTest::newRow("none played") << "-------------"_ba << 0 << QList<qint64>{0, 0, 0, 0}
                                     << QList<qint64>{2, 2, 2, 2} << QList<qsizetype>{0};
        QTest::newRow("only match 1") << "X------------"_ba << 1 << QList<qint64>{0, 0, 0, 0}
                                      << QList<qint64>{1, 2, 2, 2} << QList<qsizetype>{1};
    }
    void liveByHand()
    {
        QFETCH(QByteArray, results);
        QFETCH(int, best);
        QFETCH(QList<qint64>, sure);
        QFETCH(QList<qint64>, possible);
        QFETCH(QList<qsizetype>, listed);
        const ColumnBuffer played = columnsOf({"1111111111111", "X11111111111X"});
        const LiveResults::Standing standing = LiveResults::evaluate(played, results, 1);
        QCOMPARE(standing.best, best);
        for (int p = 13; p >= 10; --p) {
            QCOMPARE(standing.sure[p], sure[13 - p]);
            QCOMPARE(standing.possible[p], possible[13 - p]);
        }
        QCOMPARE(standing.stillAbleToWin, listed);
    }

    void liveNeverShrinksAsResultsAreRemoved()
    {
        const ColumnBuffer played = randomColumns(3000, 5);
        QByteArray results = randomColumns(1, 99).column(0).toByteArray();
        LiveResults::Standing before = LiveResults::evaluate(played, results);
        for (int k : {4, 0, 12, 7, 1, 9, 2, 11, 3, 5, 6, 8, 10}) {
            results[k] = '-';
            const LiveResults::Standing after = LiveResults::evaluate(played, results);
            for (int p = 0; p <= 13; ++p) {
                QVERIFY(after.possible[p] >= before.possible[p]);
                QVERIFY(after.sure[p] <= before.sure[p]);
                QVERIFY(after.sure[p] <= after.possible[p]);
            }
            before = after;
        }
        QCOMPARE(before.possible[13], 3000);
    }

    void backtestByHand_data()
    {
        QTest::addColumn<int>("errorsTo");
        QTest::addColumn<bool>("strictSequences");
        QTest::addColumn<QString>("passed");
        QTest::addColumn<int>("eliminated");
        QTest::newRow("no error") << 0 << false << u"Passano 1 di 3"_s << 2;
        // The third contest broke the sequence alone.
        QTest::newRow("one error") << 1 << false << u"Passano 2 di 3"_s << 1;
        QTest::newRow("sequences strict") << 1 << true << u"Passano 1 di 3"_s << 2;
    }
    void backtestByHand()
    {
        QFETCH(int, errorsTo);
        QFETCH(bool, strictSequences);
        QFETCH(QString, passed);
        QFETCH(int, eliminated);
        SystemDocument document = twoTriples();
        backtestConditions(document);
        AdvancedConditions advanced;
        advanced.errorsTo = errorsTo;
        advanced.strict[int(ConditionKind::Sequences)] = strictSequences;
        const ConditionRules rules(document.Conditions, document.EnableFlags, advanced);
        const ConditionBacktest::Result result = ConditionBacktest::run(threeContests(), rules);
        QCOMPARE(ConditionBacktest::lines(result, rules),
                 (QStringList{"S1 1 33.33", "SX 1 33.33", "S2 1 33.33", "SEQ1 2 66.67", passed}));
        QCOMPARE(result.eliminated.size(), eliminated);
        QCOMPARE(result.eliminated[0].contest, u"1"_s);
        QCOMPARE(result.eliminated[0].rules, (QStringList{"S1", "SX", "S2", "SEQ1"}));
        if (eliminated == 2) {
            QCOMPARE(result.eliminated[1].season, u"2005-2006"_s);
            QCOMPARE(result.eliminated[1].rules, QStringList{"SEQ1"});
        }
    }

    void commandLine()
    {
        QTemporaryDir dir;
        SystemDocument document = twoTriples();
        backtestConditions(document);
        QVERIFY(SystemFiles::save(document, dir.path()));
        QVERIFY(TestArchives::write(dir.path(), threeContests()));
        const QString pro = dir.filePath(u"Prova.pro"_s);
        const QString app = dir.path();

        CliRun run = runCli({u"outcomes"_s, pro});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.lines(),
                 (QStringList{"13 2 22.22", "12 6 66.67", "11 1 11.11", "10 0 0.00", "9 0 0.00",
                              "8 0 0.00", "7 0 0.00", "6 0 0.00", "5 0 0.00", "4 0 0.00",
                              "3 0 0.00", "2 0 0.00", "1 0 0.00", "0 0 0.00", "Totale 9"}));
        QCOMPARE(runCli({u"outcomes"_s, pro, u"--over"_s, u"some"_s}).status, 2);
        // With sign values, 1 at 50 and X, 2 at 25 everywhere: 11 and XX make 13 with
        // 0.5^13 + 0.25^2 x 0.5^11 = 1.25 x 0.5^13.
        AdvancedConditions::SignValues values;
        values.fill({50, 25, 25});
        document.Advanced.setValues(values);
        QVERIFY(SystemFiles::save(document, dir.path()));
        run = runCli({u"outcomes"_s, pro});
        QCOMPARE(run.lines().size(), 19);
        QCOMPARE(run.lines().at(15), u"Probabilità 13 0.0153"_s);

        run = runCli({u"live"_s, pro, u"11-----------"_s});
        QCOMPARE(run.lines(), (QStringList{"Punti 2", "13 0 1", "12 0 1", "11 0 2", "10 0 2"}));
        run = runCli({u"live"_s, pro, u"11----------"_s});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(u"13 segni"_s));

        run = runCli({u"backtest"_s, pro, u"--season"_s, u"2004-2005"_s, u"--app-folder"_s, app});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.lines(), (QStringList{"S1 1 50.00", "SX 1 50.00", "S2 1 50.00", "SEQ1 1 50.00",
                                           "Passano 1 di 2"}));
        // The latest two contests, of which one is complete.
        run = runCli({u"backtest"_s, pro, u"--last"_s, u"2"_s, u"--app-folder"_s, app});
        QCOMPARE(run.lines(), (QStringList{"S1 0 0.00", "SX 0 0.00", "S2 0 0.00", "SEQ1 1 100.00",
                                           "Passano 0 di 1"}));
        run = runCli({u"backtest"_s, pro, u"--all"_s, u"--last"_s, u"2"_s, u"--app-folder"_s, app});
        QCOMPARE(run.status, 2);
    }
};

QTEST_GUILESS_MAIN(TestEvidence)
#include "testEvidence.moc"
