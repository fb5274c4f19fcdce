#include "document/Options.h"
#include "document/PredictionLogic.h"
#include "document/SystemDocument.h"
#include "platform/ProgressReporter.h"

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

} // namespace

class TestPredictionLogic final : public QObject {
    Q_OBJECT
private slots:
    void validation_data();
    void validation();
    void recountAndCostTexts_data();
    void recountAndCostTexts();
};

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
    const auto row = [](const char* tag, const QStringList& first, const char* cost,
                        const QStringList& labels) {
        QTest::newRow(tag) << first << QString::fromLatin1(cost) << labels;
    };
    row("one double one triple", {"1X", "12X"}, "0.5", {"11", "1", "1", " 6", "3 €", "5808.81 £"});
    row("two doubles one triple", {"1X", "X2", "12X"}, "0.5",
        {"10", "2", "1", " 12", "6 €", "11617.62 £"});
    row("all fixed: no system", {}, "0.5", {"13", "0", "0", " 0", "0 €", "0 £"});
    row("one triple, unrounded lire", {"12X"}, "0.5",
        {"12", "0", "1", " 3", "1.5 €", "2904.405 £"});
    row("empty fields count nothing", {"", "1X", ""}, "1",
        {"10", "1", "0", " 2", "2 €", "3872.54 £"});
    row("no cost", {"1X"}, "", {"12", "1", "0", " 2", "0 €", "0 £"});
    row("13 triples", QStringList(13, QStringLiteral("12X")), "0.5",
        {"0", "0", "13", " 1594323", "797161.5 €", "1543519897.605 £"});
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

QTEST_GUILESS_MAIN(TestPredictionLogic)
#include "testPredictionLogic.moc"
