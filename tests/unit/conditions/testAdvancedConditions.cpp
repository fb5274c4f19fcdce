#include "conditions/AdvancedConditionsLogic.h"
#include "conditions/ConditionRules.h"
#include "conditions/LiveColumnCount.h"
#include "conditions/ReductionEngine.h"
#include "document/SystemFiles.h"
#include "output/ColumnListModel.h"
#include "output/ColumnListing.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Values = AdvancedConditions::SignValues;

namespace {

Values valuesOf(std::array<double, 3> each)
{
    Values values{};
    values.fill(each);
    return values;
}

// One setting of each kind, as the file stores them line by line.
void setEveryKind(AdvancedConditions& advanced)
{
    advanced.errorsTo = 2;
    advanced.strict[0] = advanced.strict[8] = true;
    advanced.setValues(valuesOf({45.5, 30, 24.5}));
    advanced.sum = AdvancedConditions::Range{400, 650.25};
    advanced.topCount = 7;
    advanced.references = {{"1X21X21X21X21", 9, 11}};
}

QList<QByteArray> textsOf(const ColumnBuffer& columns)
{
    QList<QByteArray> texts;
    for (qsizetype i = 0; i < columns.count(); ++i)
        texts << columns.column(i).toByteArray();
    return texts;
}

// A prediction of 1 to 3 signs per match, at most a few thousand columns.
QStringList randomPrediction(QRandomGenerator& random)
{
    QStringList signs;
    for (int i = 0; i < 13; ++i) {
        const int played = i < 7 ? 1 + random.bounded(3) : 1;
        signs << QStringLiteral("1X2").mid(random.bounded(4 - played), played);
    }
    return signs;
}

ConditionSet randomConditions(QRandomGenerator& random)
{
    ConditionSet conditions;
    for (int i : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48}) {
        const int a = random.bounded(6), b = 3 + random.bounded(11);
        conditions.set(i, double(qMin(a, b)));
        conditions.set(i + 1, double(qMax(a, b)));
    }
    const int index = ConditionSet::sequenceIndex(random.bounded(7));
    conditions.set(index, u"1X"_s);
    conditions.set(index + 1, u"%1-%2"_s.arg(1 + random.bounded(7)).arg(1 + random.bounded(7)));
    conditions.set(index + 2, u"S"_s);
    return conditions;
}

} // namespace

class TestAdvancedConditions : public QObject {
    Q_OBJECT

private slots:
    // Matches 1 and 2 decide: 1 and X at 50 each on match 1, 60 and 40 on match 2, so the
    // columns "11", "X1" tie above "1X", "XX". Every other match is a sure 1.
    void mostProbableKeepsTiesInOrder_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<bool>("zeroMatch");
        QTest::addColumn<QList<QByteArray>>("expected");
        const QByteArray xx = "XX11111111111", one = "1111111111111", x1 = "X111111111111",
                         onex = "1X11111111111";
        QTest::newRow("1") << 1 << false << QList{one};
        QTest::newRow("2") << 2 << false << QList{one, x1};
        QTest::newRow("3: first of the tie") << 3 << false << QList{xx, one, x1};
        QTest::newRow("all") << 4 << false << QList{xx, one, x1, onex};
        QTest::newRow("all of probability 0") << 2 << true << QList{xx, one};
    }
    void mostProbableKeepsTiesInOrder()
    {
        QFETCH(int, keep);
        QFETCH(bool, zeroMatch);
        QFETCH(QList<QByteArray>, expected);
        Values values = valuesOf({100, 0, 0});
        values[0] = {50, 50, 0};
        values[1] = {60, 40, 0};
        if (zeroMatch)
            values[5] = {0, 50, 50};
        AdvancedConditions advanced;
        advanced.setValues(values);
        ColumnBuffer columns = TestSystems::columnsOf(
            {"XX11111111111", "1111111111111", "X111111111111", "1X11111111111"});
        const qsizetype kept = ReductionEngine::keepMostProbable(columns.records().data(),
                                                                 columns.count(), advanced, keep);
        columns.resize(kept);
        QCOMPARE(textsOf(columns), expected);
    }

    // Odds become p = (1/o) / Σ(1/o) × 100, worked out by hand to the hundredth.
    void valuesRead_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("odds");
        QTest::addColumn<QList<double>>("match13");
        QTest::addColumn<QString>("error");
        const QByteArray line = "50;30;20\n";
        QTest::newRow("fair odds") << QByteArray("2;3;6\r\n").repeated(13) << true
                                   << QList<double>{50, 33.33, 16.67} << QString();
        QTest::newRow("odds with margin, commas")
            << QByteArray("1,80; 3,40 ;4.5\r\n").repeated(13) << true
            << QList<double>{51.83, 27.44, 20.73} << QString();
        QTest::newRow("12 lines") << line.repeated(12) << false << QList<double>{}
                                  << u"Servono 13 righe di valori, ce ne sono 12 !"_s;
        QTest::newRow("two fields")
            << line.repeated(3) + "50;50\n"
            << false << QList<double>{} << u"La riga 4 non contiene tre valori separati da ';' !"_s;
        QTest::newRow("above 100")
            << "50;30;100,5\n" + line.repeated(12) << false << QList<double>{}
            << u"Valore non valido nella riga 1: \"100,5\" ! (valori da 0 a "
               "100)"_s;
        QTest::newRow("odds below 1") << "2;0,9;3\n" + line.repeated(12) << true << QList<double>{}
                                      << u"Valore non valido nella riga 1: \"0,9\" ! (quote da 1 "
                                         "in su)"_s;
    }
    void valuesRead()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, odds);
        QFETCH(QList<double>, match13);
        QFETCH(QString, error);
        const auto read = AdvancedConditionsLogic::parseValues(text, odds);
        QCOMPARE(read.error, error);
        QCOMPARE(bool(read.values), error.isEmpty());
        if (!read.values)
            return;
        AdvancedConditions advanced;
        advanced.setValues(*read.values);
        const auto& match = (*advanced.values())[12];
        QCOMPARE((QList<double>{match[0], match[1], match[2]}), match13);
    }

    void matchNotSummingTo100IsNamed()
    {
        Values values = valuesOf({50, 30, 20});
        values[3] = {50, 30, 19.98};
        values[8] = {50, 30, 19.99}; // a hundredth off is rounding
        QCOMPARE(AdvancedConditionsLogic::matchesNotSummingTo100(values), QList<int>{4});
    }

    // Over random systems: tolerance 0..0 through the rules keeps today's reduction; widening
    // the tolerance never loses a column; the N most probable are N columns in order, none less
    // probable than one dropped.
    void propertiesOverRandomSystems()
    {
        QRandomGenerator random(13);
        for (int round = 0; round < 25; ++round) {
            const SystemDocument document = TestSystems::withPrediction(randomPrediction(random));
            const ConditionSet conditions = randomConditions(random);
            const QString flags = u"1111111"_s;
            ConditionSet scratch = conditions;
            const ColumnBuffer today =
                ReductionEngine::run(document.IntegralColumns, scratch, flags).survivors;

            AdvancedConditions advanced;
            for (bool& strict : advanced.strict)
                strict = random.bounded(2) == 1;
            // A reference no column breaks sends the run through the rules.
            advanced.references.append({"1111111111111", 0, 13});
            scratch = conditions;
            ReductionEngine::Result zero =
                ReductionEngine::run(document.IntegralColumns, scratch, flags, advanced);
            QCOMPARE(zero.survivors, today);
            QCOMPARE(zero.passes.size(), 1);
            QCOMPARE(zero.passes[0].pass, ReductionPass::Tolerance);

            advanced.strict = {};
            advanced.errorsTo = 1 + random.bounded(3);
            scratch = conditions;
            const ColumnBuffer wider =
                ReductionEngine::run(document.IntegralColumns, scratch, flags, advanced).survivors;
            const QList<QByteArray> widerTexts = textsOf(wider);
            for (const QByteArray& column : textsOf(today))
                QVERIFY(widerTexts.contains(column));

            Values values{};
            for (auto& match : values) {
                for (double& value : match)
                    value = random.bounded(2, 60);
            }
            advanced.setValues(values);
            advanced.topCount = 1 + random.bounded(int(wider.count()) + 1);
            scratch = conditions;
            const ColumnBuffer top =
                ReductionEngine::run(document.IntegralColumns, scratch, flags, advanced).survivors;
            QCOMPARE(top.count(), qMin<qsizetype>(advanced.topCount, wider.count()));
            QCOMPARE(LiveColumnCount::count(document.IntegralColumns, conditions, flags, advanced),
                     top.count());
            const QList<QByteArray> topTexts = textsOf(top);
            double leastKept = 1;
            qsizetype at = 0;
            for (const QByteArray& column : topTexts) {
                leastKept = qMin(leastKept, ConditionRules::probability(advanced, column));
                at = widerTexts.indexOf(column, at); // kept in the order of the reduction
                QVERIFY(at >= 0);
            }
            for (const QByteArray& column : widerTexts) {
                if (!topTexts.contains(column))
                    QVERIFY(ConditionRules::probability(advanced, column) <=
                            leastKept * (1 + 1e-9));
            }
        }
    }

    // Match 1 at 20, 50, 30 and every other match a sure 1: the three columns have probabilities
    // 20 %, 50 %, 30 % and together 100 %.
    void viewerShowsValuesAndSortsByProbability()
    {
        Values values = valuesOf({100, 0, 0});
        values[0] = {20, 50, 30};
        AdvancedConditions advanced;
        advanced.setValues(values);
        const ColumnBuffer columns =
            TestSystems::columnsOf({"1111111111111", "X111111111111", "2111111111111"});
        ColumnListModel model(columns);
        model.showValues(advanced);
        model.sortByProbability(true);
        QStringList lines;
        for (int row = 0; row < model.rowCount(); ++row)
            lines << model.index(row).data().toString();
        QCOMPARE(
            lines,
            (QStringList{
                ColumnListing::line(2, "X111111111111") + u"   Somma 1.250,00   Prob. 50 %"_s,
                ColumnListing::line(3, "2111111111111") + u"   Somma 1.230,00   Prob. 30 %"_s,
                ColumnListing::line(1, "1111111111111") + u"   Somma 1.220,00   Prob. 20 %"_s}));
        QCOMPARE(advanced.chanceText(columns), u"Probabilità del 13: 100,00 %"_s);
    }

    // On a system large enough to be counted on two threads, the count is what the histogram
    // tallies within the tolerance, and every column when any number of errors is admitted.
    void countOnTwoThreadsOfAFullSystem()
    {
        QRandomGenerator random(7);
        const ColumnBuffer integral =
            TestSystems::withPrediction(TestSystems::allTriples()).IntegralColumns;
        AdvancedConditions advanced;
        advanced.errorsFrom = 1;
        advanced.errorsTo = 2;
        advanced.references.append({"1X21X21X21X21", 3, 9});
        const ConditionRules rules(randomConditions(random), u"1111111"_s, advanced);
        const ErrorsHistogram histogram = rules.errorsHistogram(integral);
        QCOMPARE(rules.countKept(integral), histogram.columns[1] + histogram.columns[2]);
        advanced.errorsFrom = 0;
        advanced.errorsTo = AdvancedConditions::MaxErrors;
        const ConditionRules everyColumn(randomConditions(random), u"1111111"_s, advanced);
        QCOMPARE(everyColumn.countKept(integral), 1594323); // 3^13
    }

    void fileRoundTripAndRemoval()
    {
        QTemporaryDir folder;
        SystemDocument document = TestSystems::withPrediction(TestSystems::Prediction);
        QVERIFY(SystemFiles::save(document, folder.path()));
        const QByteArray cndBefore = TestSystems::fileContent(folder.filePath(u"Prova.cnd"_s));
        const QStringList filesBefore = TestSystems::filesIn(folder.path());
        QVERIFY(!filesBefore.contains(u"Prova.adv"_s));

        setEveryKind(document.Advanced);
        QVERIFY(SystemFiles::save(document, folder.path()));
        const QByteArray adv = TestSystems::fileContent(folder.filePath(u"Prova.adv"_s));
        QVERIFY(adv.startsWith("0\r\n2\r\n\"100000001\"\r\n1\r\n45.5\r\n30\r\n24.5\r\n"));
        QVERIFY(adv.contains("\r\n1\r\n400\r\n650.25\r\n7\r\n1\r\n\"1X21X21X21X21\"\r\n9\r\n11\r\n"
                             "\"\"\r\n0\r\n13\r\n"));
        QCOMPARE(TestSystems::fileContent(folder.filePath(u"Prova.cnd"_s)), cndBefore);

        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, folder.path(), u"Prova"_s).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(loaded.Advanced, document.Advanced);

        loaded.SystemName = u"Prova"_s;
        loaded.Advanced = {};
        QVERIFY(SystemFiles::save(loaded, folder.path()));
        QCOMPARE(TestSystems::filesIn(folder.path()), filesBefore);
    }

    void badFileRefused_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("errors reversed") << 0 << QByteArray("3");
        QTest::newRow("errors beyond any system") << 1 << QByteArray("33");
        QTest::newRow("strict flag") << 2 << QByteArray("\"10000000X\"");
        QTest::newRow("value above 100") << 4 << QByteArray("100.01");
        QTest::newRow("sum without values") << 3 << QByteArray("0");
        QTest::newRow("column sign") << 48 << QByteArray("\"1X21X21X21X2A\"");
        QTest::newRow("points reversed") << 49 << QByteArray("12");
        QTest::newRow("unused reference filled") << 51 << QByteArray("\"1111111111111\"");
    }
    void badFileRefused()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, value);
        QTemporaryDir folder;
        SystemDocument document = TestSystems::withPrediction(TestSystems::Prediction);
        setEveryKind(document.Advanced);
        QVERIFY(SystemFiles::save(document, folder.path()));
        const QString path = folder.filePath(u"Prova.adv"_s);
        QList<QByteArray> lines = TestSystems::fileContent(path).split('\n');
        lines[line] = value + '\r';
        QVERIFY(TestSystems::writeBytes(path, lines.join('\n')));

        SystemDocument loaded;
        const SystemFiles::LoadResult result = SystemFiles::load(loaded, folder.path(), u"Prova"_s);
        QCOMPARE(result.status, SystemFiles::LoadStatus::Malformed);
        QCOMPARE(result.message, u"Il File Prova.adv non contiene Condizioni Avanzate valide !"_s);
    }
};

QTEST_GUILESS_MAIN(TestAdvancedConditions)
#include "testAdvancedConditions.moc"
