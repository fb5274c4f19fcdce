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

    // `left` is the box the focus leaves; a refusal names its message, box and corrected text.
    const auto row = [](const char* tag, int box, const char* text, int left,
                        std::optional<BoxCorrection> expected = std::nullopt) {
        QTest::newRow(tag) << box << QString::fromLatin1(text) << left << expected;
    };
    const QString min1 = QStringLiteral("Valore dei Segni 1 Minimi non ammesso !");
    row("admissible", 1, "4", 1);
    row("empty", 5, "", 5, BoxCorrection{"Casella Vuota !", 5, ""});
    row("above Segni1", 1, "12", 1, BoxCorrection{min1, 1, "11"});
    row("below Fissi1", 1, "2", 1, BoxCorrection{min1, 1, "4"});
    // Steps 1 and 2 look at every count box whichever box was left.
    row("any box left", 6, "3", 9,
        BoxCorrection{"Valore dei Segni 2 Massimi non ammesso !", 6, "2"});
    row("run of X needed", 3, "3", 9,
        BoxCorrection{"Valore dei Segni X Minimi consecutivi non ammesso !", 9, "1"});
    row("run of X not checked elsewhere", 3, "3", 10);
    row("min run above count max", 7, "12", 7,
        BoxCorrection{"Valore dei Segni 1 Minimi consecutivi non ammesso !", 7, "11"});
    row("max run above count max", 12, "5", 12,
        BoxCorrection{"Valore dei Segni 2 Massimi consecutivi non ammesso !", 12, "2"});
    row("run equal to count max", 10, "9", 10);
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
    const auto row = [](const char* tag, const QStringList& texts,
                        std::optional<BoxCorrection> expected = std::nullopt) {
        QTest::newRow(tag) << texts << expected;
    };
    const QString minCons =
        QStringLiteral("Valore delle Interruzioni Minime consecutive non ammesso !");
    const QString maxCons =
        QStringLiteral("Valore delle Interruzioni Massime consecutive non ammesso !");
    row("admissible", {"2", "12", "1", "12"});
    row("1: min above max", {"8", "5", "1", "3"},
        BoxCorrection{"Valore delle Interruzioni Massime non ammesso !", 14, "8"});
    row("2", {"2", "5", "6", "6"}, BoxCorrection{minCons, 15, "5"});
    row("3", {"2", "12", "1", "13"}, BoxCorrection{maxCons, 16, "12"});
    row("4", {"2", "12", "4", "3"}, BoxCorrection{maxCons, 16, "4"});
    row("5", {"2", "12", "0", "3"}, BoxCorrection{minCons, 15, "1"});
    row("no interruptions needs no streak", {"0", "12", "0", "3"});
    row("6", {"13", "14", "13", "14"},
        BoxCorrection{"Valore delle Interruzioni Minime non ammesso (Max. 12) !", 13, "12"});
    row("7", {"0", "14", "13", "14"},
        BoxCorrection{"Valore delle Interruzioni Massime non ammesso (Max. 12) !", 14, "12"});
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
