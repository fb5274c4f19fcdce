#include "conditions/SymmetryConditionsLogic.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<BoxCorrection>)
Q_DECLARE_METATYPE(SymmetryConditionsLogic::Mode)

using Mode = SymmetryConditionsLogic::Mode;

class TestSymmetryConditionsLogic final : public QObject {
    Q_OBJECT
private slots:
    void modesCaptionsAndKeys();
    void colourGroups();
    void groupCheck_data();
    void groupCheck();
    void storesEveryGroup();
};

void TestSymmetryConditionsLogic::modesCaptionsAndKeys()
{
    QCOMPARE(SymmetryConditionsLogic::modeOf("SIMM"), Mode::Symmetries);
    QCOMPARE(SymmetryConditionsLogic::modeOf("PARA"), Mode::Parallels);
    QCOMPARE(SymmetryConditionsLogic::modeOf("PAR3"), Mode::ParallelsStep3);
    QCOMPARE(SymmetryConditionsLogic::caption(Mode::Symmetries, "Giro"),
             QStringLiteral("Giro - Simmetrie"));
    QCOMPARE(SymmetryConditionsLogic::caption(Mode::Parallels, "Giro"),
             QStringLiteral("Giro - Paralleli"));
    QCOMPARE(SymmetryConditionsLogic::caption(Mode::ParallelsStep3, "Giro"),
             QStringLiteral("Giro - Paralleli a Passo 3"));

    const SymmetryConditionsLogic symmetries(Mode::Symmetries);
    const SymmetryConditionsLogic step3(Mode::ParallelsStep3);
    QVERIFY(symmetries.acceptsKey(QLatin1Char('6')));
    QVERIFY(!symmetries.acceptsKey(QLatin1Char('7')));
    QVERIFY(step3.acceptsKey(QLatin1Char('9')));
    QVERIFY(!step3.acceptsKey(QLatin1Char('-')));
    QVERIFY(symmetries.isEditable(20));
    QVERIFY(!symmetries.isEditable(21));
    QVERIFY(step3.isEditable(49));
    QVERIFY(!step3.isEditable(17));

    ConditionSet conditions;
    conditions.set(18, 3.0);
    conditions.set(47, QStringLiteral(" 11 "));
    const ConditionBoxes shown = SymmetryConditionsLogic::boxesOf(conditions);
    QCOMPARE(shown[18], QStringLiteral("3"));
    QCOMPARE(shown[47], QStringLiteral("11"));
    QVERIFY(shown[25].isEmpty());
}

void TestSymmetryConditionsLogic::colourGroups()
{
    const SymmetryConditionsLogic symmetries(Mode::Symmetries);
    QCOMPARE(symmetries.colourGroupOf(1), symmetries.colourGroupOf(13));
    QCOMPARE(symmetries.colourGroupOf(6), symmetries.colourGroupOf(8));
    QVERIFY(symmetries.colourGroupOf(1) != symmetries.colourGroupOf(2));
    QCOMPARE(symmetries.colourGroupOf(7), SymmetryConditionsLogic::UnpairedGroup);

    const SymmetryConditionsLogic parallels(Mode::Parallels);
    QCOMPARE(parallels.colourGroupOf(1), parallels.colourGroupOf(8));
    QCOMPARE(parallels.colourGroupOf(6), parallels.colourGroupOf(13));
    QVERIFY(parallels.colourGroupOf(1) != parallels.colourGroupOf(13));
    QCOMPARE(parallels.colourGroupOf(7), SymmetryConditionsLogic::UnpairedGroup);

    const SymmetryConditionsLogic step3(Mode::ParallelsStep3);
    QCOMPARE(step3.colourGroupOf(3), step3.colourGroupOf(13));
    QCOMPARE(step3.colourGroupOf(2), step3.colourGroupOf(12));
    QVERIFY(step3.colourGroupOf(7) != step3.colourGroupOf(8));
}

void TestSymmetryConditionsLogic::groupCheck_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QStringList>("group");
    QTest::addColumn<std::optional<BoxCorrection>>("expected");

    QTest::newRow("admissible") << Mode::Symmetries << QStringList{"1", "4", "1", "3"}
                                << std::optional<BoxCorrection>();
    QTest::newRow("equal bounds") << Mode::Parallels << QStringList{"3", "3", "3", "3"}
                                  << std::optional<BoxCorrection>();
    QTest::newRow("1 SIMM") << Mode::Symmetries << QStringList{"0", "3", "4", "6"}
                            << std::optional<BoxCorrection>(
                                   {"Valore delle Simmetrie consecutive Minime non ammesso !", 19,
                                    "3"});
    QTest::newRow("1 PARA") << Mode::Parallels << QStringList{"0", "3", "4", "6"}
                            << std::optional<BoxCorrection>(
                                   {"Valore dei Paralleli consecutivi Minimi non ammesso !", 23,
                                    "3"});
    QTest::newRow("1 PAR3") << Mode::ParallelsStep3 << QStringList{"0", "10", "11", "11"}
                            << std::optional<BoxCorrection>(
                                   {"Valore dei Paralleili P3 consecutivi Minimi non ammesso !", 48,
                                    "10"});
    QTest::newRow("2 PARA") << Mode::Parallels << QStringList{"0", "3", "1", "5"}
                            << std::optional<BoxCorrection>(
                                   {"Valore dei Paralleli consecutivi Massimi non ammesso !", 24,
                                    "3"});
    QTest::newRow("3 PAR3") << Mode::ParallelsStep3 << QStringList{"0", "9", "4", "2"}
                            << std::optional<BoxCorrection>(
                                   {"Valore dei Paralleli P3 consecutivi Massimi non ammesso !", 49,
                                    "4"});
    QTest::newRow("4 SIMM") << Mode::Symmetries << QStringList{"5", "2", "0", "0"}
                            << std::optional<BoxCorrection>(
                                   {"Valore delle Simmetrie Massime non ammesso !", 18, "5"});
    QTest::newRow("4 PAR3") << Mode::ParallelsStep3 << QStringList{"11", "9", "0", "0"}
                            << std::optional<BoxCorrection>(
                                   {"Valore dei Paralleli P3 Massimi non ammesso !", 47, "11"});
}

void TestSymmetryConditionsLogic::groupCheck()
{
    QFETCH(Mode, mode);
    QFETCH(QStringList, group);
    QFETCH(std::optional<BoxCorrection>, expected);
    const SymmetryConditionsLogic logic(mode);
    ConditionBoxes boxes;
    for (int i : SymmetryConditionsLogic::Boxes)
        boxes[i] = QStringLiteral("9"); // other groups never take part
    for (int k = 0; k < 4; ++k)
        boxes[logic.firstBox() + k] = group[k];
    QCOMPARE(logic.groupCheck(boxes), expected);
    QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 1), expected);

    boxes[logic.firstBox() + 2].clear();
    QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 2),
             std::optional<BoxCorrection>({"Casella Vuota !", logic.firstBox() + 2, QString()}));
}

void TestSymmetryConditionsLogic::storesEveryGroup()
{
    ConditionBoxes boxes;
    int value = 1;
    for (int i : SymmetryConditionsLogic::Boxes)
        boxes[i] = QString::number(value++);
    ConditionSet conditions;
    SymmetryConditionsLogic::store(boxes, conditions);
    QCOMPARE(conditions.at(17), QVariant(1.0));
    QCOMPARE(conditions.at(24), QVariant(8.0));
    QCOMPARE(conditions.at(46), QVariant(9.0));
    QCOMPARE(conditions.at(49), QVariant(12.0));
    QCOMPARE(conditions.at(25), QVariant(0.0));
}

QTEST_GUILESS_MAIN(TestSymmetryConditionsLogic)
#include "testSymmetryConditionsLogic.moc"
