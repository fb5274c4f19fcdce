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
    void modesAndTexts();
    void signsLeave_data();
    void signsLeave();
    void signsConfirm_data();
    void signsConfirm();
    void interruptionsLeave();
    void interruptionsConfirm_data();
    void interruptionsConfirm();
    void storesOnlyTheModesBoxes();
};

void TestSignsConditionsLogic::modesAndTexts()
{
    QCOMPARE(SignsConditionsLogic::modeOf(QStringLiteral("INTE")),
             SignsConditionsLogic::Mode::Interruptions);
    QCOMPARE(SignsConditionsLogic::modeOf(QStringLiteral("SEGN")),
             SignsConditionsLogic::Mode::Signs);
    QCOMPARE(SignsConditionsLogic::caption(SignsConditionsLogic::Mode::Signs, "Giro"),
             QStringLiteral("Giro - Segni"));
    QCOMPARE(SignsConditionsLogic::caption(SignsConditionsLogic::Mode::Interruptions, "Giro"),
             QStringLiteral("Giro - Interruzioni"));
    const std::array<QString, 6> panels = SignsConditionsLogic::infoPanels(Counts);
    QCOMPARE(panels[0], QStringLiteral(" Segni 1:  11"));
    QCOMPARE(panels[1], QStringLiteral(" Segni 1 Fissi:  4"));
    QCOMPARE(panels[2], QStringLiteral(" Segni X:  9"));
    QCOMPARE(panels[5], QStringLiteral(" Segni 2 Fissi:  0"));

    ConditionSet conditions;
    conditions.set(3, 7.0);
    conditions.set(16, QStringLiteral(" 5"));
    const ConditionBoxes shown = SignsConditionsLogic::boxesOf(conditions);
    QCOMPARE(shown[1], QStringLiteral("0"));
    QCOMPARE(shown[3], QStringLiteral("7"));
    QCOMPARE(shown[16], QStringLiteral("5"));
    QVERIFY(shown[17].isEmpty());

    QVERIFY(SignsConditionsLogic::acceptsKey(QLatin1Char('0')));
    QVERIFY(!SignsConditionsLogic::acceptsKey(QLatin1Char('-')));
    QVERIFY(!SignsConditionsLogic::acceptsKey(QLatin1Char('X')));
}

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

void TestSignsConditionsLogic::signsConfirm_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<BoxCorrection>>("expected");
    QTest::newRow("admissible") << 1 << "4" << std::optional<BoxCorrection>();
    QTest::newRow("equal bounds") << 2 << "4" << std::optional<BoxCorrection>();
    QTest::newRow("X min above max")
        << 3 << "10"
        << std::optional<BoxCorrection>({"Valore dei Segni X Massimi non ammesso !", 4, "10"});
    QTest::newRow("run min above max")
        << 11 << "3"
        << std::optional<BoxCorrection>(
               {"Valore dei Segni 2 Massimi consecutivi non ammesso !", 12, "3"});
}

void TestSignsConditionsLogic::signsConfirm()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(std::optional<BoxCorrection>, expected);
    ConditionBoxes texts = boxes(validSigns(), 1);
    texts[box] = text;
    const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Signs, Counts);
    QCOMPARE(logic.confirmCheck(texts), expected);
}

void TestSignsConditionsLogic::interruptionsLeave()
{
    const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Interruptions, Counts);
    QCOMPARE(logic.leaveCheck(boxes({"2", "13", "1", "13"}, 13), 16),
             std::optional<BoxCorrection>(
                 {"Valore delle Interruzioni Massime non ammesso (Max. 12) !", 14, "12"}));
    QCOMPARE(logic.leaveCheck(boxes({"14", "13", "1", "3"}, 13), 14),
             std::optional<BoxCorrection>(
                 {"Valore delle Interruzioni Minime non ammesso (Max. 12) !", 13, "12"}));
    // Box 16 waits for OK.
    QCOMPARE(logic.leaveCheck(boxes({"2", "12", "1", "13"}, 13), 16),
             std::optional<BoxCorrection>());
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

void TestSignsConditionsLogic::storesOnlyTheModesBoxes()
{
    ConditionBoxes texts = boxes(validSigns(), 1);
    texts[13] = QStringLiteral("3");
    texts[14] = QStringLiteral("07");
    texts[15] = QStringLiteral("1");
    texts[16] = QStringLiteral("4");
    ConditionSet conditions;
    SignsConditionsLogic(SignsConditionsLogic::Mode::Interruptions, Counts)
        .store(texts, conditions);
    QCOMPARE(conditions.at(14), QVariant(7.0));
    QCOMPARE(conditions.at(2), QVariant(0.0));
    SignsConditionsLogic(SignsConditionsLogic::Mode::Signs, Counts).store(texts, conditions);
    QCOMPARE(conditions.at(2), QVariant(11.0));
    QCOMPARE(conditions.at(12), QVariant(2.0));
    QCOMPARE(conditions.at(13), QVariant(3.0));
}

QTEST_GUILESS_MAIN(TestSignsConditionsLogic)
#include "testSignsConditionsLogic.moc"
