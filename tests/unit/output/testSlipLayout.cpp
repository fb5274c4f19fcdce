#include "output/SlipLayout.h"
#include "platform/ProgressReporter.h"

#include "support/PrintChecks.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPrinter::Kind;
Q_DECLARE_METATYPE(SlipCalibration)

using namespace PrintChecks;
using namespace TestSystems;

using namespace Qt::StringLiterals;

namespace {

void printSlips(RecordingPrinter& recorder, const SlipLayout::SlipSource& source, qsizetype from,
                qsizetype to, const SlipCalibration& calibration = {})
{
    PrintSurface surface(recorder);
    ProgressReporter progress;
    SlipLayout::prepare(surface);
    SlipLayout::printSlips(surface, calibration, source, from, to, 0.5, progress);
}

} // namespace

class TestSlipLayout : public QObject {
    Q_OBJECT

private slots:
    // Columns, first and last slip sent | columns on each slip sent | the prices on their texts,
    // at 0.5 a column | slips of the system.
    void partitionAndPrices_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("1") << "1 1 1|1|0.5|1";
        QTest::newRow("2") << "2 1 1|2|1|1";
        QTest::newRow("5") << "5 1 2|3 2|1.5 1|2";
        QTest::newRow("8") << "8 1 2|4 4|2 2|2";
        QTest::newRow("9") << "9 1 3|4 3 2|2 1.5 1|3";
        QTest::newRow("13") << "13 1 4|4 4 3 2|2 2 1.5 1|4";
        QTest::newRow("9, range 2 to 2") << "9 2 2|3|1.5|3";
    }
    void partitionAndPrices()
    {
        QFETCH(QString, row);
        const QStringList run = row.section(u'|', 0, 0).split(u' ');
        const int columns = run[0].toInt(), from = run[1].toInt();
        const ColumnBuffer buffer = columnsOf(QList<QByteArray>(columns, "1111111111111"));
        RecordingPrinter recorder;
        printSlips(recorder, SlipLayout::SlipSource(buffer, columns), from, run[2].toInt());
        QStringList counted, expected;
        for (int document = 1; document <= recorder.documentsEnded(); ++document) {
            counted << QString::number(dots(recorder, document).size() / 13);
            expected << u"N. %1  -  \u20ac %2"_s.arg(from + document - 1)
                            .arg(row.section(u'|', 2, 2).section(u' ', document - 1, document - 1));
        }
        QCOMPARE(counted.join(u' '), row.section(u'|', 1, 1));
        QCOMPARE(texts(recorder), expected);
        QCOMPARE(SlipLayout::slipCount(columns), row.section(u'|', 3).toLongLong());
    }

    // Offsets A = 1.5 and S = -0.3: a column at position 1 and a merged row with X2 on match 5
    // at position 2 (base line 115.3).
    void dotCentres()
    {
        const SlipCalibration calibration{1.5, -0.3, 2.0};
        const ColumnBuffer columns = columnsOf({"1X21111111111"});
        RecordingPrinter reduced;
        printSlips(reduced, SlipLayout::SlipSource(columns, 1), 1, 1, calibration);
        QCOMPARE(dots(reduced).mid(0, 4),
                 QStringList({"30.80,130.80", "35.15,126.30", "39.50,121.80", "43.90,130.80"}));
        QCOMPARE(reduced.items(Kind::Circle).first().radius,
                 1.0 * PrintSurface::TwipsPerMillimetre);
        const auto text = reduced.items(Kind::Text).first();
        QCOMPARE(text.font, (PrintFont{"Courier New", 9, false, false}));
        QCOMPARE(QPointF(text.atMillimetres().x(), text.atMillimetres().y()), QPointF(18.8, 72.6));

        MergedColumns rows;
        rows.appendColumn("1111111111111");
        rows.appendPair("1111X11111111", 4, '2');
        RecordingPrinter merged;
        printSlips(merged, SlipLayout::SlipSource(rows), 1, 1, calibration);
        const QStringList second = dots(merged).mid(13);
        QCOMPARE(second.size(), 14);
        QCOMPARE(second.mid(4, 2), QStringList({"48.25,112.30", "48.25,107.80"}));
    }

    void testPrints()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        SlipLayout::prepare(surface);
        SlipLayout::printTest(surface, {});
        SlipLayout::printAdvancedTest(surface, {0.5, 0, 1.6});
        // At the largest offset to the left the text stops at the paper's edge; the dots move.
        SlipLayout::printTest(surface, {0, -20, 1.6});
        SlipLayout::restore(surface);
        QCOMPARE(recorder.documentsEnded(), 3);
        QCOMPARE(recorder.items(Kind::Text).last().atMillimetres().x(), 0.0);
        QCOMPARE(dots(recorder, 3).first(), u"11.10,78.30"_s);
        QCOMPARE(dots(recorder, 1),
                 QStringList({"31.10,78.30", "83.45,78.30", "31.10,129.30", "83.45,129.30"}));
        // Every box of a slip, with A = 0.5: rows 4.5 mm apart within a slip column and 5.0
        // between columns, matches 4.35 apart but 4.4 after the third, sixth and ninth.
        const QStringList full = dots(recorder, 2);
        QCOMPARE(full.size(), 156);
        QStringList rows, matches;
        for (int k = 0; k < 12; ++k)
            rows << full[13 * k].section(u',', 1);
        for (int m = 0; m < 13; ++m)
            matches << full[m].section(u',', 0, 0);
        QCOMPARE(rows.join(u' '), u"78.80 83.30 87.80 92.80 97.30 101.80 106.80 111.30 115.80 "
                                  "120.80 125.30 129.80"_s);
        QCOMPARE(matches.join(u' '), u"31.10 35.45 39.80 44.20 48.55 52.90 57.30 61.65 66.00 "
                                     "70.40 74.75 79.10 83.45"_s);
        QCOMPARE(recorder.lines(2), QStringList({"Test Punti di Stampa (Avanzato)"}));
        const auto text = recorder.items(Kind::Text).at(1); // the advanced test's
        QCOMPARE(QPointF(text.atMillimetres().x(), text.atMillimetres().y()), QPointF(19.1, 71.6));
        QCOMPARE(recorder.items(Kind::Circle).last().radius,
                 0.8 * PrintSurface::TwipsPerMillimetre);
    }

    void calibrationFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<SlipCalibration>("read");
        QTest::newRow("missing") << QByteArray() << SlipCalibration{0, 0, 1.6};
        QTest::newRow("saved") << QByteArray("1.5\r\n-0.3\r\n1.6\r\n")
                               << SlipCalibration{1.5, -0.3, 1.6};
        QTest::newRow("hand edited")
            << QByteArray("35\r\n-0.34\r\n3\r\n") << SlipCalibration{20, -0.3, 1.6};
        QTest::newRow("largest dot")
            << QByteArray("0\r\n0\r\n2.54\r\n") << SlipCalibration{0, 0, 2.54};
        QTest::newRow("dot 0") << QByteArray("-20\r\n0\r\n0\r\n") << SlipCalibration{-20, 0, 1.6};
    }
    void calibrationFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(SlipCalibration, read);
        QTemporaryDir folder;
        const QString path = folder.filePath(SlipCalibration::fileName());
        if (!content.isEmpty())
            QVERIFY(writeBytes(path, content));
        QCOMPARE(SlipCalibration::read(path), read);
        QVERIFY(read.write(path));
        if (QTest::currentDataTag() == QByteArrayLiteral("saved"))
            QCOMPARE(fileContent(path), content);
        QCOMPARE(SlipCalibration::read(path), read);
    }
};

QTEST_MAIN(TestSlipLayout)
#include "testSlipLayout.moc"
