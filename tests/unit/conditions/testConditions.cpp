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

// The refusal "message|box|corrected text" that starts at field `at` of a table row, if any.
Correction correctionIn(const QStringList& row, int at)
{
    if (row.size() <= at)
        return std::nullopt;
    return BoxCorrection{row[at], row[at + 1].toInt(), row[at + 2]};
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

    // Signs | match numbers | the signs kept | the matches read.
    void sequenceMatchNumbers_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("ascending") << u"2X1|4-5-11|2X1|4 5 11"_s;
        QTest::newRow("descending") << u"2X1|11-5-4|2X1|11 5 4"_s;
        QTest::newRow("blanks around the signs") << u"  2X1 |4-5-11|2X1|4 5 11"_s;
        // The last number is read from at most two characters.
        QTest::newRow("last field of three digits") << u"2X1|4-5-113|2X1|4 5 11"_s;
        QTest::newRow("more fields than signs") << u"2X|4-5-11|2X|4 5"_s;
        QTest::newRow("fewer fields than signs") << u"2X1|4-5|2X1|4 5 0"_s;
        QTest::newRow("outside 1..13") << u"2X1|0-5-14|2X1|0 5 0"_s;
        QTest::newRow("thirteen signs") << u"1111111111111|1-2-3-4-5-6-7-8-9-10-11-12-13|"
                                           "1111111111111|1 2 3 4 5 6 7 8 9 10 11 12 13"_s;
        QTest::newRow("no signs") << u"|4||"_s;
    }
    void sequenceMatchNumbers()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        const SequenceFilter filter(fields[0], fields[1]);
        QCOMPARE(filter.signs(), fields[2]);
        QStringList positions;
        for (int position : filter.positions())
            positions << QString::number(position);
        QCOMPARE(positions.join(u' '), fields[3]);
    }

    // Signs | match numbers | 1 when the column (the worked example unless given) is eliminated.
    void sequenceEliminates_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("2X1 on 4-5-11") << u"2X1|4-5-11|1"_s;
        QTest::newRow("2X1 on 11-5-4") << u"2X1|11-5-4|0"_s;
        QTest::newRow("2X1 on 11-5-4, reversed column") << u"2X1|11-5-4|1|11X1X2211X212"_s;
        QTest::newRow("case-sensitive") << u"2x1|4-5-11|0"_s;
        QTest::newRow("repeated match, same sign") << u"22|4-4|1"_s;
        QTest::newRow("repeated match, two signs") << u"2X|4-4|0"_s;
        QTest::newRow("match 0") << u"1X|0-3|0"_s;
        QTest::newRow("match 14") << u"1X|1-14|0"_s;
        QTest::newRow("fewer fields") << u"11X|1-2|0"_s;
        QTest::newRow("foreign sign") << u"1-|1-2|0"_s;
        QTest::newRow("all thirteen") << u"11X2X2211X112|1-2-3-4-5-6-7-8-9-10-11-12-13|1"_s;
    }
    void sequenceEliminates()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        const QByteArray column = fields.value(3, u"11X2X2211X112"_s).toLatin1();
        const SequenceFilter filter(fields[0], fields[1]);
        QCOMPARE(filter.eliminates(QByteArrayView(column)), fields[2] == u'1');
        QCOMPARE(filter.eliminates(masksOf(column.constData())), fields[2] == u'1');
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

    // The box changed | its text | the box the focus leaves | the refusal, if any.
    void signsLeave_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("admissible") << u"1|4|1"_s;
        QTest::newRow("empty") << u"5||5|Casella Vuota !|5|"_s;
        QTest::newRow("above Segni1") << u"1|12|1|Valore dei Segni 1 Minimi non ammesso !|1|11"_s;
        QTest::newRow("below Fissi1") << u"1|2|1|Valore dei Segni 1 Minimi non ammesso !|1|4"_s;
        // Steps 1 and 2 look at every count box whichever box was left.
        QTest::newRow("any box left") << u"6|3|9|Valore dei Segni 2 Massimi non ammesso !|6|2"_s;
        QTest::newRow("run of X needed")
            << u"3|3|9|Valore dei Segni X Minimi consecutivi non ammesso !|9|1"_s;
        QTest::newRow("run of X not checked elsewhere") << u"3|3|10"_s;
        QTest::newRow("min run above count max")
            << u"7|12|7|Valore dei Segni 1 Minimi consecutivi non ammesso !|7|11"_s;
        QTest::newRow("max run above count max")
            << u"12|5|12|Valore dei Segni 2 Massimi consecutivi non ammesso !|12|2"_s;
        QTest::newRow("run equal to count max") << u"10|9|10"_s;
    }
    void signsLeave()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        ConditionBoxes boxes = admissibleBoxes();
        boxes[fields[0].toInt()] = fields[1];
        const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Signs, Counts);
        QCOMPARE(logic.leaveCheck(boxes, fields[2].toInt()), correctionIn(fields, 3));
    }

    // Boxes 13 to 16 | the refusal on confirming, if any.
    void interruptionsConfirm_data()
    {
        QTest::addColumn<QString>("row");
        const QString minCons = u"Valore delle Interruzioni Minime consecutive non ammesso !"_s;
        const QString maxCons = u"Valore delle Interruzioni Massime consecutive non ammesso !"_s;
        QTest::newRow("1: min above max")
            << u"8 5 1 3|Valore delle Interruzioni Massime non ammesso !|14|8"_s;
        QTest::newRow("2") << u"2 5 6 6|"_s + minCons + u"|15|5"_s;
        QTest::newRow("3") << u"2 12 1 13|"_s + maxCons + u"|16|12"_s;
        QTest::newRow("4") << u"2 12 4 3|"_s + maxCons + u"|16|4"_s;
        QTest::newRow("5") << u"2 12 0 3|"_s + minCons + u"|15|1"_s;
        QTest::newRow("no interruptions needs no streak") << u"0 12 0 3"_s;
        QTest::newRow("6")
            << u"13 14 13 14|Valore delle Interruzioni Minime non ammesso (Max. 12) !|13|12"_s;
        QTest::newRow("7")
            << u"0 14 13 14|Valore delle Interruzioni Massime non ammesso (Max. 12) !|14|12"_s;
    }
    void interruptionsConfirm()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|'), texts = fields[0].split(u' ');
        ConditionBoxes boxes;
        std::copy(texts.begin(), texts.end(), boxes.begin() + 13);
        const SignsConditionsLogic logic(SignsConditionsLogic::Mode::Interruptions, Counts);
        QCOMPARE(logic.confirmCheck(boxes), correctionIn(fields, 1));
    }

    // Symmetries, parallels or step-3 parallels | the four boxes of the group | the refusal.
    void symmetryGroup_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("admissible") << u"S|1 4 1 3"_s;
        QTest::newRow("1 SIMM")
            << u"S|0 3 4 6|Valore delle Simmetrie consecutive Minime non ammesso !|19|3"_s;
        QTest::newRow("1 PARA")
            << u"P|0 3 4 6|Valore dei Paralleli consecutivi Minimi non ammesso !|23|3"_s;
        QTest::newRow("1 PAR3")
            << u"3|0 10 11 11|Valore dei Paralleili P3 consecutivi Minimi non ammesso !|48|10"_s;
        QTest::newRow("2 PARA")
            << u"P|0 3 1 5|Valore dei Paralleli consecutivi Massimi non ammesso !|24|3"_s;
        QTest::newRow("3 PAR3")
            << u"3|0 9 4 2|Valore dei Paralleli P3 consecutivi Massimi non ammesso !|49|4"_s;
        QTest::newRow("4 SIMM") << u"S|5 2 0 0|Valore delle Simmetrie Massime non ammesso !|18|5"_s;
        QTest::newRow("4 PAR3")
            << u"3|11 9 0 0|Valore dei Paralleli P3 Massimi non ammesso !|47|11"_s;
    }
    void symmetryGroup()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|'), group = fields[1].split(u' ');
        const SymmetryConditionsLogic logic(fields[0] == u"S"_s   ? SymmetryMode::Symmetries
                                            : fields[0] == u"P"_s ? SymmetryMode::Parallels
                                                                  : SymmetryMode::ParallelsStep3);
        ConditionBoxes boxes;
        for (int i : SymmetryConditionsLogic::Boxes)
            boxes[i] = u"9"_s; // other groups never take part
        std::copy(group.begin(), group.end(), boxes.begin() + logic.firstBox());
        QCOMPARE(logic.groupCheck(boxes), correctionIn(fields, 2));
        QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 1), correctionIn(fields, 2));
        boxes[logic.firstBox() + 2].clear();
        QCOMPARE(logic.leaveCheck(boxes, logic.firstBox() + 2),
                 Correction({"Casella Vuota !", logic.firstBox() + 2, QString()}));
    }

    // Equal minimum and maximum pass every check, in every pair of boxes.
    void equalBoundsAreAccepted()
    {
        for (int minimum : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48}) {
            ConditionBoxes boxes = admissibleBoxes();
            boxes[minimum] = boxes[minimum + 1];
            const SignsConditionsLogic signs(minimum < 13
                                                 ? SignsConditionsLogic::Mode::Signs
                                                 : SignsConditionsLogic::Mode::Interruptions,
                                             Counts);
            const SymmetryConditionsLogic symmetry(minimum < 21   ? SymmetryMode::Symmetries
                                                   : minimum < 46 ? SymmetryMode::Parallels
                                                                  : SymmetryMode::ParallelsStep3);
            const bool own = minimum <= SignsConditionsLogic::LastBox;
            const auto leave = [&](int box) {
                return own ? signs.leaveCheck(boxes, box) : symmetry.leaveCheck(boxes, box);
            };
            const QList<Correction> found = {own ? signs.confirmCheck(boxes)
                                                 : symmetry.groupCheck(boxes),
                                             leave(minimum), leave(minimum + 1)};
            QVERIFY2(found == QList<Correction>(3), qPrintable(u"box %1"_s.arg(minimum)));
        }
    }
};

QTEST_GUILESS_MAIN(TestConditions)
#include "testConditions.moc"
