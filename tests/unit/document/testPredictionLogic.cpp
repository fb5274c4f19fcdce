#include "app/ProgressReporter.h"
#include "document/Options.h"
#include "document/PredictionLogic.h"
#include "document/SystemDocument.h"

#include <QTest>

using PredictionLogic::Fields;

namespace {

// The first fields as given, the rest fixed on 1.
Fields fieldsWith(QStringList first)
{
    Fields fields;
    fields.fill(QStringLiteral("1"));
    for (int i = 0; i < first.size(); ++i)
        fields[i] = first[i];
    return fields;
}

QByteArray signsOfMatch(const ColumnBuffer& columns, int match)
{
    QByteArray signs;
    for (qsizetype k = 0; k < columns.count(); ++k)
        signs.append(columns.column(k)[match - 1]);
    return signs;
}

class RecordingProgress final : public ProgressReporter {
public:
    void setRange(int minimum, int maximum) override { ranges.append({minimum, maximum}); }
    void setValue(int value) override { values.append(value); }
    QList<QPair<int, int>> ranges;
    QList<int> values;
};

} // namespace

class TestPredictionLogic final : public QObject {
    Q_OBJECT
private slots:
    void keyFilter_data();
    void keyFilter();
    void validation_data();
    void validation();
    void recountAndCostTexts_data();
    void recountAndCostTexts();
    void changeTest();
    void confirmStoresGeneratesAndCounts();
    void confirmTwoDoublesOrder();
    void confirmAllFixed();
};

void TestPredictionLogic::keyFilter_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("entered"); // empty: discarded
    QTest::newRow("1") << QChar(u'1') << QStringLiteral("1");
    QTest::newRow("2") << QChar(u'2') << QStringLiteral("2");
    QTest::newRow("X") << QChar(u'X') << QStringLiteral("X");
    QTest::newRow("x") << QChar(u'x') << QStringLiteral("X");
    QTest::newRow("3") << QChar(u'3') << QStringLiteral("X");
    QTest::newRow("0") << QChar(u'0') << QString();
    QTest::newRow("a") << QChar(u'a') << QString();
    QTest::newRow("blank") << QChar(u' ') << QString();
    QTest::newRow("comma") << QChar(u',') << QString();
}

void TestPredictionLogic::keyFilter()
{
    QFETCH(QChar, typed);
    QFETCH(QString, entered);
    const std::optional<QChar> result = PredictionLogic::signKey(typed);
    QCOMPARE(result ? QString(*result) : QString(), entered);
}

void TestPredictionLogic::validation_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("message"); // empty: valid
    const QString empty = QStringLiteral("Una o più caselle vuote !");
    const QString doubles = QStringLiteral("Ripetizione segni su Doppie!");
    const QString triples = QStringLiteral("Ripetizione segni su Triple!");
    QTest::newRow("valid") << QStringList{"1X", "12X", "2", "X2"} << QString();
    QTest::newRow("empty field") << QStringList{"1", ""} << empty;
    QTest::newRow("blanks only") << QStringList{"1", "  "} << empty;
    QTest::newRow("empty after a repetition") << QStringList{"11", "", "1X1"} << empty;
    QTest::newRow("double 11") << QStringList{"11"} << doubles;
    QTest::newRow("double XX late") << QStringList{"1", "2", "1X", "XX"} << doubles;
    QTest::newRow("triple 1X1") << QStringList{"1X1"} << triples;
    QTest::newRow("triple 11X") << QStringList{"11X"} << triples;
    QTest::newRow("triple X22") << QStringList{"X22"} << triples;
    QTest::newRow("first repetition wins") << QStringList{"1X1", "22"} << triples;
    QTest::newRow("double with a blank") << QStringList{" 1"} << QString();
    QTest::newRow("triple around a blank") << QStringList{"1 1"} << triples;
}

void TestPredictionLogic::validation()
{
    QFETCH(QStringList, first);
    QFETCH(QString, message);
    QCOMPARE(PredictionLogic::validationError(fieldsWith(first)).value_or(QString()), message);
}

void TestPredictionLogic::recountAndCostTexts_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QStringList>("labels"); // fixed, doubles, triples, integral, euro, lire
    QTest::newRow("one double one triple") << QStringList{"1X", "12X"} << QStringLiteral("0.5")
                                           << QStringList{"11", "1", "1", " 6", "3 €", "5808.81 £"};
    QTest::newRow("two doubles one triple")
        << QStringList{"1X", "X2", "12X"} << QStringLiteral("0.5")
        << QStringList{"10", "2", "1", " 12", "6 €", "11617.62 £"};
    QTest::newRow("all fixed: no system") << QStringList{} << QStringLiteral("0.5")
                                          << QStringList{"13", "0", "0", " 0", "0 €", "0 £"};
    QTest::newRow("one triple, unrounded lire")
        << QStringList{"12X"} << QStringLiteral("0.5")
        << QStringList{"12", "0", "1", " 3", "1.5 €", "2904.405 £"};
    QTest::newRow("empty fields count nothing")
        << QStringList{"", "1X", ""} << QStringLiteral("1")
        << QStringList{"10", "1", "0", " 2", "2 €", "3872.54 £"};
    QTest::newRow("no cost") << QStringList{"1X"} << QString()
                             << QStringList{"12", "1", "0", " 2", "0 €", "0 £"};
    QTest::newRow("13 triples") << QStringList{"12X", "12X", "12X", "12X", "12X", "12X", "12X",
                                               "12X", "12X", "12X", "12X", "12X", "12X"}
                                << QStringLiteral("0.5")
                                << QStringList{"0",        "0",          "13",
                                               " 1594323", "797161.5 €", "1543519897.605 £"};
}

void TestPredictionLogic::recountAndCostTexts()
{
    QFETCH(QStringList, first);
    QFETCH(QString, cost);
    QFETCH(QStringList, labels);
    Options options;
    options[Options::ColumnCost] = cost;
    const PredictionLogic::LabelTexts texts = PredictionLogic::labelTexts(
        PredictionLogic::recount(fieldsWith(first)), options.columnCost());
    QCOMPARE((QStringList{texts.fixed, texts.doubles, texts.triples, texts.integral, texts.euro,
                          texts.lire}),
             labels);
}

void TestPredictionLogic::changeTest()
{
    SystemDocument document;
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, QStringLiteral("1"));
    document.setSigns(2, QStringLiteral("1X"));
    QVERIFY(!PredictionLogic::isChanged(fieldsWith({"1", "1X"}), document));
    QVERIFY(PredictionLogic::isChanged(fieldsWith({"1", "X1"}), document));
    QVERIFY(PredictionLogic::isChanged(fieldsWith({"1", "1X", "2"}), document));
    // Blanks are not signs.
    QVERIFY(!PredictionLogic::isChanged(fieldsWith({" 1", "1 X"}), document));
}

void TestPredictionLogic::confirmStoresGeneratesAndCounts()
{
    SystemDocument document;
    document.setHomeTeam(1, QStringLiteral("JUVENTUS"));
    document.ReducedCount = 4;
    document.WorkColumns.append("1111111111111");
    document.IntegralColumns.append("XXXXXXXXXXXXX");

    RecordingProgress progress;
    QStringList messages;
    QStringList progressTexts;
    PredictionLogic::GenerationFeedback feedback{
        [&](const QString& text) { messages.append(text); },
        [&](const QString& text) { progressTexts.append(text); }};
    PredictionLogic::confirm(document, fieldsWith({"1X", "12X", "2", "X"}), progress, feedback);

    QCOMPARE(document.ReducedCount, 0);
    QVERIFY(document.WorkColumns.isEmpty());
    QCOMPARE(document.MatchRecords[1],
             QStringLiteral("JUVENTUS       ") + QString(15, u' ') + QStringLiteral("1X "));
    QCOMPARE(document.MatchRecords[2].right(3), QStringLiteral("12X"));
    QCOMPARE(document.MatchRecords[3].right(3), QStringLiteral("2  "));

    QCOMPARE(document.IntegralCount, 6);
    QCOMPARE(document.IntegralColumns.count(), 6);
    QCOMPARE(signsOfMatch(document.IntegralColumns, 1), QByteArray("1X1X1X"));
    QCOMPARE(signsOfMatch(document.IntegralColumns, 2), QByteArray("12X12X"));
    QCOMPARE(document.IntegralColumns.column(0).toByteArray(), QByteArray("112X111111111"));

    QCOMPARE(document.NumFisse, 11);
    QCOMPARE(document.NumDoppie, 1);
    QCOMPARE(document.NumTriple, 1);
    QCOMPARE(document.Segni1, 11);
    QCOMPARE(document.SegniX, 3);
    QCOMPARE(document.Segni2, 2);
    QCOMPARE(document.Fissi1, 9);
    QCOMPARE(document.FissiX, 1);
    QCOMPARE(document.Fissi2, 1);

    QCOMPARE(messages, (QStringList{"Inizializzazione del Sistema Integrale. Attendere...",
                                    "Generazione Colonne del Sistema Integrale. Attendere..."}));
    QStringList expectedProgress;
    for (int i = 1; i <= 13; ++i)
        expectedProgress.append(QStringLiteral(" %1 di 13").arg(i));
    QCOMPARE(progressTexts, expectedProgress);
    QCOMPARE(progress.ranges, (QList<QPair<int, int>>{{0, 13}, {0, 6}}));
    QCOMPARE(progress.values.mid(0, 13), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    QCOMPARE(progress.values.last(), 0);
}

void TestPredictionLogic::confirmTwoDoublesOrder()
{
    SystemDocument document;
    RecordingProgress progress;
    PredictionLogic::confirm(document, fieldsWith({"1X", "X2"}), progress);
    QCOMPARE(document.IntegralCount, 4);
    QStringList pairs;
    for (qsizetype k = 0; k < 4; ++k)
        pairs.append(QString::fromLatin1(document.IntegralColumns.column(k).first(2)));
    QCOMPARE(pairs, (QStringList{"1X", "XX", "12", "X2"}));
}

void TestPredictionLogic::confirmAllFixed()
{
    SystemDocument document;
    document.IntegralCount = 2;
    document.IntegralColumns.append("1111111111111");
    document.IntegralColumns.append("X111111111111");
    RecordingProgress progress;
    PredictionLogic::confirm(document, fieldsWith({"X", "2"}), progress);
    QCOMPARE(document.IntegralCount, 0);
    QVERIFY(document.IntegralColumns.isEmpty());
    QCOMPARE(document.signsOf(1), QStringLiteral("X"));
    QCOMPARE(document.signsOf(2), QStringLiteral("2"));
    QCOMPARE(document.NumFisse, 13);
}

QTEST_GUILESS_MAIN(TestPredictionLogic)
#include "testPredictionLogic.moc"
