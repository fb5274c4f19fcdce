#include "conditions/FastMeasures.h"
#include "conditions/Measures.h"
#include "conditions/SequenceFilter.h"
#include "conditions/SignsConditionsLogic.h"
#include "conditions/SymmetryConditionsLogic.h"
#include "support/TestSystems.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Correction = std::optional<BoxCorrection>;
using SymmetryMode = SymmetryConditionsLogic::Mode;
Q_DECLARE_METATYPE(Correction)

namespace {

// The fourteen measures in their order, then "-" when the column is not complete.
QByteArray describe(const ColumnMeasures& m)
{
    QByteArrayList values;
    for (int v :
         {m.S1, m.SX, m.S2, m.SC1, m.SCX, m.SC2, m.IG, m.IC, m.SG, m.SC, m.PG, m.PC, m.FG, m.FC})
        values << QByteArray::number(v);
    return values.join(' ') + (m.complete ? "" : " -");
}

FastMeasures::SignMasks masksOf(const char* column)
{
    return FastMeasures::signMasks(FastMeasures::loadColumn(column, false));
}

const ColumnBuffer& allColumns()
{
    static const ColumnBuffer columns =
        TestSystems::withPrediction(TestSystems::allTriples()).IntegralColumns;
    return columns;
}

// Four fixed 1, seven 1X and two X2: Segni1 = 11, Fissi1 = 4, SegniX = 9, Segni2 = 2.
const SignsConditionsLogic::PredictionCounts Counts = {{11, 9, 2}, {4, 0, 0}};

// Admissible boxes of every dialog, each test varies some.
ConditionBoxes admissibleBoxes()
{
    ConditionBoxes boxes;
    const QStringList texts = {"4", "11", "0", "9",  "0", "2", "1", "4", "0", "3", "0", "2",
                               "2", "12", "1", "12", "1", "4", "1", "3", "1", "4", "1", "3"};
    for (int i = 1; i <= 24; ++i)
        boxes[i] = texts[i - 1];
    for (int i = 46; i <= 49; ++i)
        boxes[i] = QStringList{"2", "9", "1", "4"}[i - 46];
    return boxes;
}

} // namespace

class TestConditions : public QObject {
    Q_OBJECT
private slots:
    void measures_data()
    {
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<QByteArray>("expected"); // S1 SX S2 SC1 SCX SC2 IG IC SG SC PG PC FG FC
        const auto row = [](const char* tag, const char* column, const char* expected) {
            QTest::newRow(tag) << QByteArray(column) << QByteArray(expected);
        };
        row("worked example", "11X2X2211X112", "6 3 4 2 1 2 8 4 1 1 4 3 3 2");
        row("thirteen 1", "1111111111111", "13 0 0 13 0 0 0 0 6 6 6 6 11 11");
        row("1X2 repeated", "1X21X21X21X21", "5 4 4 1 1 1 12 12 2 1 0 0 0 0");
        row("interruptions broken at k=5", "1X1X11X1X1X11", "8 5 0 2 1 0 10 6 2 1 6 6 8 5");
        row("symmetric pairs (1,13) and (6,8)", "1X2XX21222X21", "3 4 6 1 2 3 9 3 2 1 2 2 4 1");
        row("no X", "1212121212121", "7 0 6 1 0 1 12 12 6 6 0 0 11 11");
        row("all X", "XXXXXXXXXXXXX", "0 13 0 0 13 0 0 0 6 6 6 6 11 11");
        row("alternating 1X", "1X1X1X1X1X1X1", "7 6 0 1 1 0 12 12 6 6 0 0 11 11");
        // A match without result: no sign, breaks runs, differs from every sign, equals '-'.
        row("dash breaks the run of 1", "111-111111111", "12 0 0 9 0 0 2 2 5 3 5 3 9 7 -");
        row("dash paired with dash", "-11111111111-", "11 0 0 11 0 0 2 1 6 6 4 4 9 9 -");
        row("all dashes", "-------------", "0 0 0 0 0 0 0 0 6 6 6 6 11 11 -");
    }
    void measures()
    {
        QFETCH(QByteArray, column);
        QFETCH(QByteArray, expected);
        QCOMPARE(describe(Measures::measure(column)), expected);
        QCOMPARE(describe(FastMeasures::measure(column.constData())), expected);
    }

    void fastMeasuresEqualPlainOnes()
    {
        for (qsizetype i = 0; i < allColumns().count(); ++i) {
            const ColumnMeasures plain = Measures::measure(allColumns().column(i));
            const ColumnMeasures fast = FastMeasures::measure(allColumns().columnData(i));
            if (!(plain == fast))
                QCOMPARE(describe(fast), describe(plain));
        }
        // Every column over '1' and '-' plus every column over 'X', '2', '-' at a few places.
        for (int bits = 0; bits < 8192; ++bits) {
            QByteArray column(13, '1');
            for (int k = 0; k < 13; ++k) {
                if (bits & (1 << k))
                    column[k] = '-';
            }
            QCOMPARE(describe(FastMeasures::measure(column.constData())),
                     describe(Measures::measure(column)));
            column.replace('1', 'X');
            column[bits % 13] = '2';
            QCOMPARE(describe(FastMeasures::measure(column.constData())),
                     describe(Measures::measure(column)));
        }
    }

    void sequenceMatchNumbers_data()
    {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QList<int>>("positions");
        const auto row = [](const char* tag, const char* signs, const char* fields,
                            const char* trimmed, const QList<int>& positions) {
            QTest::newRow(tag) << QString::fromLatin1(signs) << QString::fromLatin1(fields)
                               << QString::fromLatin1(trimmed) << positions;
        };
        row("ascending", "2X1", "4-5-11", "2X1", {4, 5, 11});
        row("descending", "2X1", "11-5-4", "2X1", {11, 5, 4});
        row("blanks around the signs", "  2X1 ", "4-5-11", "2X1", {4, 5, 11});
        // The last number is read from at most two characters.
        row("last field of three digits", "2X1", "4-5-113", "2X1", {4, 5, 11});
        row("more fields than signs", "2X", "4-5-11", "2X", {4, 5});
        row("fewer fields than signs", "2X1", "4-5", "2X1", {4, 5, 0});
        row("outside 1..13", "2X1", "0-5-14", "2X1", {0, 5, 0});
        row("thirteen signs", "1111111111111", "1-2-3-4-5-6-7-8-9-10-11-12-13", "1111111111111",
            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        row("no signs", "", "4", "", {});
    }
    void sequenceMatchNumbers()
    {
        QFETCH(QString, signs);
        QFETCH(QString, fields);
        QFETCH(QString, trimmed);
        QFETCH(QList<int>, positions);
        const SequenceFilter filter(signs, fields);
        QCOMPARE(filter.signs(), trimmed);
        QCOMPARE(filter.positions(), positions);
    }

    void sequenceEliminates_data()
    {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<bool>("eliminated");
        const char* worked = "11X2X2211X112";
        const auto row = [](const char* tag, const char* signs, const char* fields,
                            const char* column, bool eliminated) {
            QTest::newRow(tag) << QString::fromLatin1(signs) << QString::fromLatin1(fields)
                               << QByteArray(column) << eliminated;
        };
        row("2X1 on 4-5-11", "2X1", "4-5-11", worked, true);
        row("2X1 on 11-5-4", "2X1", "11-5-4", worked, false);
        row("2X1 on 11-5-4, reversed column", "2X1", "11-5-4", "11X1X2211X212", true);
        row("case-sensitive", "2x1", "4-5-11", worked, false);
        row("repeated match, same sign", "22", "4-4", worked, true);
        row("repeated match, two signs", "2X", "4-4", worked, false);
        row("match 0", "1X", "0-3", worked, false);
        row("match 14", "1X", "1-14", worked, false);
        row("fewer fields", "11X", "1-2", worked, false);
        row("foreign sign", "1-", "1-2", worked, false);
        row("all thirteen", worked, "1-2-3-4-5-6-7-8-9-10-11-12-13", worked, true);
    }
    void sequenceEliminates()
    {
        QFETCH(QString, signs);
        QFETCH(QString, fields);
        QFETCH(QByteArray, column);
        QFETCH(bool, eliminated);
        const SequenceFilter filter(signs, fields);
        QCOMPARE(filter.eliminates(QByteArrayView(column)), eliminated);
        QCOMPARE(filter.eliminates(masksOf(column.constData())), eliminated);
    }

    void sequenceMasksEqualTheLiteralComparison()
    {
        const std::array<SequenceFilter, 3> filters = {SequenceFilter(u"2X1"_s, u"4-5-11"_s),
                                                       SequenceFilter(u"2X1"_s, u"11-5-4"_s),
                                                       SequenceFilter(u"X1X"_s, u"13-1-13"_s)};
        std::array<qsizetype, 3> hits{};
        for (qsizetype i = 0; i < allColumns().count(); ++i) {
            const auto masks = masksOf(allColumns().columnData(i));
            for (int f = 0; f < 3; ++f) {
                if (filters[f].eliminates(allColumns().column(i)) != filters[f].eliminates(masks))
                    QFAIL(allColumns().column(i).toByteArray().constData());
                hits[f] += filters[f].eliminates(masks);
            }
        }
        // One column in 27 shows three given signs at three given matches.
        QCOMPARE(hits, (std::array<qsizetype, 3>{1594323 / 27, 1594323 / 27, 1594323 / 9}));
    }

    void signsLeave_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("left");
        QTest::addColumn<Correction>("expected");
        // `left` is the box the focus leaves; a refusal names its message, box and corrected text.
        const auto row = [](const char* tag, int box, const char* text, int left,
                            Correction expected = std::nullopt) {
            QTest::newRow(tag) << box << QString::fromLatin1(text) << left << expected;
        };
        const QString min1 = u"Valore dei Segni 1 Minimi non ammesso !"_s;
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
    void signsLeave()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, left);
        QFETCH(Correction, expected);
        ConditionBoxes boxes = admissibleBoxes();
        boxes[box] = text;
        const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Signs, Counts);
        QCOMPARE(logic.leaveCheck(boxes, left), expected);
    }

    void interruptionsConfirm_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<Correction>("expected");
        const auto row = [](const char* tag, const QStringList& texts,
                            Correction expected = std::nullopt) {
            QTest::newRow(tag) << texts << expected;
        };
        const QString minCons = u"Valore delle Interruzioni Minime consecutive non ammesso !"_s;
        const QString maxCons = u"Valore delle Interruzioni Massime consecutive non ammesso !"_s;
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
    void interruptionsConfirm()
    {
        QFETCH(QStringList, texts);
        QFETCH(Correction, expected);
        ConditionBoxes boxes;
        std::copy(texts.begin(), texts.end(), boxes.begin() + 13);
        const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Interruptions, Counts);
        QCOMPARE(logic.confirmCheck(boxes), expected);
    }

    void symmetryGroup_data()
    {
        QTest::addColumn<SymmetryMode>("mode");
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<Correction>("expected");
        const auto row = [](const char* tag, SymmetryMode mode, const QStringList& group,
                            Correction expected = std::nullopt) {
            QTest::newRow(tag) << mode << group << expected;
        };
        row("admissible", SymmetryMode::Symmetries, {"1", "4", "1", "3"});
        row("1 SIMM", SymmetryMode::Symmetries, {"0", "3", "4", "6"},
            BoxCorrection{"Valore delle Simmetrie consecutive Minime non ammesso !", 19, "3"});
        row("1 PARA", SymmetryMode::Parallels, {"0", "3", "4", "6"},
            BoxCorrection{"Valore dei Paralleli consecutivi Minimi non ammesso !", 23, "3"});
        row("1 PAR3", SymmetryMode::ParallelsStep3, {"0", "10", "11", "11"},
            BoxCorrection{"Valore dei Paralleili P3 consecutivi Minimi non ammesso !", 48, "10"});
        row("2 PARA", SymmetryMode::Parallels, {"0", "3", "1", "5"},
            BoxCorrection{"Valore dei Paralleli consecutivi Massimi non ammesso !", 24, "3"});
        row("3 PAR3", SymmetryMode::ParallelsStep3, {"0", "9", "4", "2"},
            BoxCorrection{"Valore dei Paralleli P3 consecutivi Massimi non ammesso !", 49, "4"});
        row("4 SIMM", SymmetryMode::Symmetries, {"5", "2", "0", "0"},
            BoxCorrection{"Valore delle Simmetrie Massime non ammesso !", 18, "5"});
        row("4 PAR3", SymmetryMode::ParallelsStep3, {"11", "9", "0", "0"},
            BoxCorrection{"Valore dei Paralleli P3 Massimi non ammesso !", 47, "11"});
    }
    void symmetryGroup()
    {
        QFETCH(SymmetryMode, mode);
        QFETCH(QStringList, group);
        QFETCH(Correction, expected);
        const SymmetryConditionsLogic logic(mode);
        ConditionBoxes boxes;
        for (int i : SymmetryConditionsLogic::Boxes)
            boxes[i] = u"9"_s; // other groups never take part
        std::copy(group.begin(), group.end(), boxes.begin() + logic.firstBox());
        QCOMPARE(logic.groupCheck(boxes), expected);
        QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 1), expected);
        boxes[logic.firstBox() + 2].clear();
        QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 2),
                 Correction({"Casella Vuota !", logic.firstBox() + 2, QString()}));
    }

    void equalBoundsAreAccepted_data()
    {
        QTest::addColumn<int>("minimum");
        for (int box : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48})
            QTest::addRow("boxes %d and %d", box, box + 1) << box;
    }
    void equalBoundsAreAccepted()
    {
        QFETCH(int, minimum);
        ConditionBoxes boxes = admissibleBoxes();
        boxes[minimum] = boxes[minimum + 1];
        if (minimum <= SignsConditionsLogic::LastBox) {
            const SignsConditionsLogic logic(minimum < 13
                                                 ? SignsConditionsLogic::Mode::Signs
                                                 : SignsConditionsLogic::Mode::Interruptions,
                                             Counts);
            QCOMPARE(logic.confirmCheck(boxes), Correction());
            QCOMPARE(logic.leaveCheck(boxes, minimum), Correction());
            QCOMPARE(logic.leaveCheck(boxes, minimum + 1), Correction());
            return;
        }
        const SymmetryMode mode = minimum < 21   ? SymmetryMode::Symmetries
                                  : minimum < 46 ? SymmetryMode::Parallels
                                                 : SymmetryMode::ParallelsStep3;
        const SymmetryConditionsLogic logic(mode);
        QCOMPARE(logic.groupCheck(boxes), Correction());
        QCOMPARE(logic.leaveCheck(boxes, minimum), Correction());
        QCOMPARE(logic.leaveCheck(boxes, minimum + 1), Correction());
    }
};

QTEST_GUILESS_MAIN(TestConditions)
#include "testConditions.moc"
