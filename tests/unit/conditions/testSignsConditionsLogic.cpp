#include "conditions/SignsConditionsLogic.h"

#include <QTest>

namespace {

// Four fixed 1, seven 1X and two X2: Segni1 = 11, Fissi1 = 4, SegniX = 9, Segni2 = 2.
const SignsConditionsLogic::PredictionCounts Counts = {{11, 9, 2}, {4, 0, 0}};

ConditionBoxes boxes(const QStringList& texts, int first)
{
    ConditionBoxes result;
    for (int i = 0; i < texts.size(); ++i)
        result[first + i] = texts[i];
    return result;
}

// Admissible sign boxes 1..12, to be varied by each case.
QStringList validSigns()
{
    return {"4", "11", "0", "9", "0", "2", "1", "4", "0", "3", "0", "2"};
}

} // namespace

Q_DECLARE_METATYPE(std::optional<BoxCorrection>)

class TestSignsConditionsLogic final : public QObject {
    Q_OBJECT
private slots:
    void signsLeave_data();
    void signsLeave();
    void interruptionsConfirm_data();
    void interruptionsConfirm();
};

void TestSignsConditionsLogic::signsLeave_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<std::optional<BoxCorrection>>("expected");

    const QString min1 = QStringLiteral("Valore dei Segni 1 Minimi non ammesso !");
    QTest::newRow("admissible") << 1 << "4" << 1 << std::optional<BoxCorrection>();
    QTest::newRow("empty") << 5 << "" << 5
                           << std::optional<BoxCorrection>({"Casella Vuota !", 5, ""});
    QTest::newRow("above Segni1") << 1 << "12" << 1
                                  << std::optional<BoxCorrection>({min1, 1, "11"});
    QTest::newRow("below Fissi1") << 1 << "2" << 1 << std::optional<BoxCorrection>({min1, 1, "4"});
    // Steps 1 and 2 look at every count box whichever box was left.
    QTest::newRow("any box left") << 6 << "3" << 9
                                  << std::optional<BoxCorrection>(
                                         {"Valore dei Segni 2 Massimi non ammesso !", 6, "2"});
    QTest::newRow("run of X needed")
        << 3 << "3" << 9
        << std::optional<BoxCorrection>(
               {"Valore dei Segni X Minimi consecutivi non ammesso !", 9, "1"});
    QTest::newRow("run of X not checked elsewhere")
        << 3 << "3" << 10 << std::optional<BoxCorrection>();
    QTest::newRow("min run above count max")
        << 7 << "12" << 7
        << std::optional<BoxCorrection>(
               {"Valore dei Segni 1 Minimi consecutivi non ammesso !", 7, "11"});
    QTest::newRow("max run above count max")
        << 12 << "5" << 12
        << std::optional<BoxCorrection>(
               {"Valore dei Segni 2 Massimi consecutivi non ammesso !", 12, "2"});
    QTest::newRow("run equal to count max") << 10 << "9" << 10 << std::optional<BoxCorrection>();
}

void TestSignsConditionsLogic::signsLeave()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(std::optional<BoxCorrection>, expected);
    ConditionBoxes texts = boxes(validSigns(), 1);
    texts[box] = text;
    const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Signs, Counts);
    QCOMPARE(logic.leaveCheck(texts, left), expected);
}

void TestSignsConditionsLogic::interruptionsConfirm_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<std::optional<BoxCorrection>>("expected");
    const QString minCons =
        QStringLiteral("Valore delle Interruzioni Minime consecutive non ammesso !");
    const QString maxCons =
        QStringLiteral("Valore delle Interruzioni Massime consecutive non ammesso !");
    QTest::newRow("admissible") << QStringList{"2", "12", "1", "12"}
                                << std::optional<BoxCorrection>();
    QTest::newRow("1: min above max")
        << QStringList{"8", "5", "1", "3"}
        << std::optional<BoxCorrection>(
               {"Valore delle Interruzioni Massime non ammesso !", 14, "8"});
    QTest::newRow("2") << QStringList{"2", "5", "6", "6"}
                       << std::optional<BoxCorrection>({minCons, 15, "5"});
    QTest::newRow("3") << QStringList{"2", "12", "1", "13"}
                       << std::optional<BoxCorrection>({maxCons, 16, "12"});
    QTest::newRow("4") << QStringList{"2", "12", "4", "3"}
                       << std::optional<BoxCorrection>({maxCons, 16, "4"});
    QTest::newRow("5") << QStringList{"2", "12", "0", "3"}
                       << std::optional<BoxCorrection>({minCons, 15, "1"});
    QTest::newRow("no interruptions needs no streak")
        << QStringList{"0", "12", "0", "3"} << std::optional<BoxCorrection>();
    QTest::newRow("6") << QStringList{"13", "14", "13", "14"}
                       << std::optional<BoxCorrection>(
                              {"Valore delle Interruzioni Minime non ammesso (Max. 12) !", 13,
                               "12"});
    QTest::newRow("7") << QStringList{"0", "14", "13", "14"}
                       << std::optional<BoxCorrection>(
                              {"Valore delle Interruzioni Massime non ammesso (Max. 12) !", 14,
                               "12"});
}

void TestSignsConditionsLogic::interruptionsConfirm()
{
    QFETCH(QStringList, texts);
    QFETCH(std::optional<BoxCorrection>, expected);
    const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Interruptions, Counts);
    QCOMPARE(logic.confirmCheck(boxes(texts, 13)), expected);
}

QTEST_GUILESS_MAIN(TestSignsConditionsLogic)
#include "testSignsConditionsLogic.moc"
