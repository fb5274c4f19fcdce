#include "conditions/SymmetryConditionsLogic.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<BoxCorrection>)
Q_DECLARE_METATYPE(SymmetryConditionsLogic::Mode)

using Mode = SymmetryConditionsLogic::Mode;

class TestSymmetryConditionsLogic final : public QObject {
    Q_OBJECT
private slots:
    void groupCheck_data();
    void groupCheck();
};

void TestSymmetryConditionsLogic::groupCheck_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QStringList>("group");
    QTest::addColumn<std::optional<BoxCorrection>>("expected");

    const auto row = [](const char* tag, Mode mode, const QStringList& group,
                        std::optional<BoxCorrection> expected = std::nullopt) {
        QTest::newRow(tag) << mode << group << expected;
    };
    row("admissible", Mode::Symmetries, {"1", "4", "1", "3"});
    row("equal bounds", Mode::Parallels, {"3", "3", "3", "3"});
    row("1 SIMM", Mode::Symmetries, {"0", "3", "4", "6"},
        BoxCorrection{"Valore delle Simmetrie consecutive Minime non ammesso !", 19, "3"});
    row("1 PARA", Mode::Parallels, {"0", "3", "4", "6"},
        BoxCorrection{"Valore dei Paralleli consecutivi Minimi non ammesso !", 23, "3"});
    row("1 PAR3", Mode::ParallelsStep3, {"0", "10", "11", "11"},
        BoxCorrection{"Valore dei Paralleili P3 consecutivi Minimi non ammesso !", 48, "10"});
    row("2 PARA", Mode::Parallels, {"0", "3", "1", "5"},
        BoxCorrection{"Valore dei Paralleli consecutivi Massimi non ammesso !", 24, "3"});
    row("3 PAR3", Mode::ParallelsStep3, {"0", "9", "4", "2"},
        BoxCorrection{"Valore dei Paralleli P3 consecutivi Massimi non ammesso !", 49, "4"});
    row("4 SIMM", Mode::Symmetries, {"5", "2", "0", "0"},
        BoxCorrection{"Valore delle Simmetrie Massime non ammesso !", 18, "5"});
    row("4 PAR3", Mode::ParallelsStep3, {"11", "9", "0", "0"},
        BoxCorrection{"Valore dei Paralleli P3 Massimi non ammesso !", 47, "11"});
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

QTEST_GUILESS_MAIN(TestSymmetryConditionsLogic)
#include "testSymmetryConditionsLogic.moc"
