#include "output/SlipLayout.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/RecordingPrinter.h"

#include "support/PdfPages.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPrinter::Kind;

namespace {

ColumnBuffer columnsOf(const QList<QByteArray>& texts)
{
    ColumnBuffer columns;
    for (const QByteArray& text : texts)
        columns.append(text);
    return columns;
}

ColumnBuffer sameColumns(int count)
{
    return columnsOf(QList<QByteArray>(count, QByteArray("1111111111111")));
}

// Dot centres in millimetres, as "x,y", rounded to hundredths.
QStringList dots(const RecordingPrinter& recorder, int document = 0)
{
    QStringList result;
    for (const auto& item : recorder.items(Kind::Circle)) {
        if (document == 0 || item.document == document)
            result << QStringLiteral("%1,%2")
                          .arg(item.atMillimetres().x(), 0, 'f', 2)
                          .arg(item.atMillimetres().y(), 0, 'f', 2);
    }
    return result;
}

struct SlipRun {
    RecordingPrinter recorder;
    void print(const SlipLayout::SlipSource& source, qsizetype from, qsizetype to,
               const SlipCalibration& calibration = {}, double cost = 0.5)
    {
        PrintSurface surface(recorder);
        ProgressReporter progress;
        SlipLayout::prepare(surface);
        SlipLayout::printSlips(surface, calibration, source, from, to, cost, progress);
    }
    QStringList texts() const
    {
        QStringList result;
        for (const auto& item : recorder.items(Kind::Text))
            result << item.text;
        return result;
    }
    // Columns on each slip sent: 13 dots a reduced column.
    QList<int> columnsPerSlip() const
    {
        QList<int> result(recorder.documentsEnded(), 0);
        for (const auto& item : recorder.items(Kind::Circle))
            result[item.document - 1] += 1;
        for (int& dots : result)
            dots /= 13;
        return result;
    }
};

} // namespace

class TestSlipLayout : public QObject {
    Q_OBJECT

private slots:
    void partitionAndPrices_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("perSlip");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("slips");
        QTest::newRow("1") << 1 << 1 << 1 << QList<int>{1} << QStringList{"N. 1  -  \u20ac 0.5"}
                           << 1;
        QTest::newRow("2") << 2 << 1 << 1 << QList<int>{2} << QStringList{"N. 1  -  \u20ac 1"} << 1;
        QTest::newRow("5") << 5 << 1 << 2 << QList<int>{3, 2}
                           << QStringList{"N. 1  -  \u20ac 1.5", "N. 2  -  \u20ac 1"} << 2;
        QTest::newRow("8") << 8 << 1 << 2 << QList<int>{4, 4}
                           << QStringList{"N. 1  -  \u20ac 2", "N. 2  -  \u20ac 2"} << 2;
        QTest::newRow("9") << 9 << 1 << 3 << QList<int>{4, 3, 2}
                           << QStringList{"N. 1  -  \u20ac 2", "N. 2  -  \u20ac 1.5",
                                          "N. 3  -  \u20ac 1"}
                           << 3;
        QTest::newRow("13") << 13 << 1 << 4 << QList<int>{4, 4, 3, 2}
                            << QStringList{"N. 1  -  \u20ac 2", "N. 2  -  \u20ac 2",
                                           "N. 3  -  \u20ac 1.5", "N. 4  -  \u20ac 1"}
                            << 4;
        QTest::newRow("9, range 2 to 2")
            << 9 << 2 << 2 << QList<int>{3} << QStringList{"N. 2  -  \u20ac 1.5"} << 3;
    }
    void partitionAndPrices()
    {
        QFETCH(int, columns);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, perSlip);
        QFETCH(QStringList, texts);
        QFETCH(int, slips);
        const ColumnBuffer buffer = sameColumns(columns);
        SlipRun run;
        run.print(SlipLayout::SlipSource(buffer, columns), from, to);
        QCOMPARE(run.columnsPerSlip(), perSlip);
        QCOMPARE(run.texts(), texts);
        QCOMPARE(SlipLayout::slipCount(columns), qsizetype(slips));
    }

    // Offsets A = 1.5 and S = -0.3: a column at position 1 and a merged row with X2 on match 5
    // at position 2 (base line 115.3).
    void dotCentres()
    {
        const SlipCalibration calibration{1.5, -0.3, 2.0};
        const ColumnBuffer columns = columnsOf({"1X21111111111"});
        SlipRun reduced;
        reduced.print(SlipLayout::SlipSource(columns, 1), 1, 1, calibration);
        QCOMPARE(dots(reduced.recorder).mid(0, 4),
                 QStringList({"30.80,130.80", "35.15,126.30", "39.50,121.80", "43.90,130.80"}));
        QCOMPARE(reduced.recorder.items(Kind::Circle).first().radius,
                 1.0 * PrintSurface::TwipsPerMillimetre);
        const auto text = reduced.recorder.items(Kind::Text).first();
        QCOMPARE(text.font, (PrintFont{"Courier New", 9, false, false}));
        QCOMPARE(
            QStringLiteral("%1,%2").arg(text.atMillimetres().x()).arg(text.atMillimetres().y()),
            QStringLiteral("18.8,72.6"));

        MergedColumns rows;
        rows.appendColumn("1111111111111");
        rows.appendPair("1111X11111111", 4, '2');
        SlipRun merged;
        merged.print(SlipLayout::SlipSource(rows), 1, 1, calibration);
        const QStringList second = dots(merged.recorder).mid(13);
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
        SlipLayout::restore(surface);
        QCOMPARE(recorder.documentsEnded(), 2);
        QCOMPARE(dots(recorder, 1),
                 QStringList({"31.10,78.30", "83.45,78.30", "31.10,129.30", "83.45,129.30"}));
        const QStringList full = dots(recorder, 2);
        QCOMPARE(full.size(), 156);
        QCOMPARE(QStringList({full[0], full[13], full[39], full[155]}),
                 QStringList({"31.10,78.80", "31.10,83.30", "31.10,92.80", "83.45,129.80"}));
        QCOMPARE(recorder.lines(2), QStringList({"Test Punti di Stampa (Avanzato)"}));
        QCOMPARE(recorder.items(Kind::Circle).first().circle.drawStyle, 6);
        QCOMPARE(surface.ScaleMode(), PrintSurface::Twips);
        QCOMPARE(surface.FillStyle, 1);
        QCOMPARE(surface.Font.Size, 8.16);
    }

    void calibrationFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<double>("vertical");
        QTest::addColumn<double>("horizontal");
        QTest::addColumn<double>("dot");
        QTest::newRow("missing") << QByteArray() << 0.0 << 0.0 << 1.6;
        QTest::newRow("saved") << QByteArray("1.5\r\n-0.3\r\n1.6\r\n") << 1.5 << -0.3 << 1.6;
        QTest::newRow("hand edited") << QByteArray("35\r\n-0.34\r\n3\r\n") << 20.0 << -0.3 << 1.6;
    }
    void calibrationFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(double, vertical);
        QFETCH(double, horizontal);
        QFETCH(double, dot);
        QTemporaryDir folder;
        const QString path = folder.filePath(SlipCalibration::fileName());
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const SlipCalibration read = SlipCalibration::read(path);
        QCOMPARE(read, (SlipCalibration{vertical, horizontal, dot}));
        QVERIFY(read.write(path));
        if (QTest::currentDataTag() == QByteArrayLiteral("saved"))
            QCOMPARE(TestSystems::fileContent(path), content);
        QCOMPARE(SlipCalibration::read(path), read);
    }

    // The PDF's own units: a reader finds the dots where a ruler on the printed slip would.
    void pdfSlipPage()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("slip.pdf"));
        const ColumnBuffer columns = columnsOf({"1X21111111111", "2111111111111"});
        {
            PdfPrinter pdf(path);
            PrintSurface surface(pdf.backEnd());
            ProgressReporter progress;
            SlipLayout::prepare(surface);
            SlipLayout::printSlips(surface, {2.0, -1.0, 2.0}, SlipLayout::SlipSource(columns, 2), 1,
                                   1, 0.5, progress);
            SlipLayout::printTest(surface, {});
            QVERIFY(pdf.finish());
        }
        PdfPages pages(path);
        QVERIFY(pages.isLoaded());
        QCOMPARE(pages.count(), 2);
        QVERIFY(pages.isDark(0, 30.1, 131.3));  // match 1, sign 1 of column 1
        QVERIFY(pages.isDark(0, 34.45, 126.8)); // match 2, X
        QVERIFY(pages.isDark(0, 38.8, 122.3));  // match 3, 2
        QVERIFY(pages.isDark(0, 30.1, 108.3));  // column 2, match 1, sign 2
        QVERIFY(!pages.isDark(0, 30.1, 126.8)); // column 1, match 1, X: not played
        QVERIFY(!pages.isDark(0, 31.5, 131.3)); // beside the dot of radius 1
        QVERIFY(pages.isDark(1, 83.45, 78.3));
        QVERIFY(!pages.isDark(1, 83.45, 82.8));
    }
};

QTEST_MAIN(TestSlipLayout)
#include "testSlipLayout.moc"
