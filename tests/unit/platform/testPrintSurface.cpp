#include "platform/PdfPrinter.h"
#include "platform/PrintError.h"
#include "platform/PrintSurface.h"
#include "platform/RecordingPrinter.h"

#include <QFontInfo>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPrinter::Kind;

// Text is measured with real fonts, which need the GUI application.
class TestPrintSurface : public QObject {
    Q_OBJECT

private slots:
    void fontsResolveToInstalledFaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::newRow("mono") << "Courier New"
                              << "Liberation Mono";
        QTest::newRow("sans") << "Arial"
                              << "Liberation Sans";
        QTest::newRow("serif") << "Times New Roman"
                               << "Liberation Serif";
    }
    void fontsResolveToInstalledFaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QCOMPARE(PrintFonts::family(name), family);
        QCOMPARE(QFontInfo(PrintFonts::qfont({name, 10, true, false})).family(), family);
    }

    // Liberation Mono advances 1229/2048 of an em: at 10 points (200 twips) a character is
    // 120.02 twips, and its line is (1705 + 615) / 2048 em = 226.56 twips high.
    void printMovesThroughColumnsAndLines()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        surface.Font = {QStringLiteral("Courier New"), 10, false, false};
        surface.print(QStringLiteral("AB"));
        QVERIFY(qAbs(surface.CurrentX - 240.04) < 0.05);
        surface.tab(5);
        QVERIFY(qAbs(surface.CurrentX - 480.08) < 0.05);
        surface.print(QStringLiteral("C"));
        surface.tab(2); // already past column 2: the next line
        QVERIFY(qAbs(surface.CurrentX - 120.02) < 0.05);
        QVERIFY(qAbs(surface.CurrentY - 226.56) < 0.5);
        surface.printLine(QStringLiteral("D"));
        QCOMPARE(surface.CurrentX, 0.0);
        QVERIFY(qAbs(surface.CurrentY - 2 * 226.56) < 1);
        QCOMPARE(recorder.lines(), QStringList({"ABC", "D"}));
        const auto texts = recorder.items(Kind::Text);
        QVERIFY(qAbs(texts[1].at.x() - 480.08) < 0.05);
        QCOMPARE(texts[0].font.Name, QStringLiteral("Courier New"));
    }

    void millimetresKeepThePositionOnThePage()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        surface.CurrentX = 1440;
        surface.setScaleMode(PrintSurface::Millimetres);
        QVERIFY(qAbs(surface.CurrentX - 25.4) < 1e-9);
        QVERIFY(qAbs(surface.ScaleWidth() - 210) < 0.01); // A4 portrait
        surface.FillStyle = 0;
        surface.DrawStyle = 6;
        surface.DrawWidth = 20;
        surface.circle(31.1, 129.3, 0.8, Qt::black);
        const auto dot = recorder.items(Kind::Circle).first();
        QVERIFY(qAbs(dot.atMillimetres().x() - 31.1) < 1e-9);
        QVERIFY(qAbs(dot.atMillimetres().y() - 129.3) < 1e-9);
        QVERIFY(qAbs(dot.radius - 0.8 * 1440 / 25.4) < 1e-9);
        QCOMPARE(dot.circle.fillStyle, 0);
        QCOMPARE(dot.circle.drawStyle, 6);
    }

    void pagesAndDocuments()
    {
        RecordingPrinter recorder(QStringLiteral("Prova"), QSizeF(11906, 1000));
        PrintSurface surface(recorder);
        QCOMPARE(surface.DeviceName(), QStringLiteral("Prova"));
        for (int i = 0; i < 5; ++i) // four lines of Arial 10 fit in 1000 twips, the fifth not
            surface.printLine(QString::number(i));
        QCOMPARE(surface.Page(), 2);
        QCOMPARE(recorder.lines(1, 2), QStringList({"4"}));
        surface.EndDoc();
        QCOMPARE(surface.Page(), 1);
        surface.printLine(QStringLiteral("x"));
        QCOMPARE(recorder.items().last().document, 2);
        QCOMPARE(recorder.documentsEnded(), 1);
    }

    void aFailingPrinterStopsThePrintout()
    {
        RecordingPrinter recorder;
        recorder.failAfter(1);
        PrintSurface surface(recorder);
        surface.printLine(QStringLiteral("a"));
        try {
            surface.printLine(QStringLiteral("b"));
            QFAIL("no error raised");
        } catch (const PrintError& error) {
            QCOMPARE(error.number, 482);
        }
    }

    // A page break opens a page even when nothing follows on the old one; ending a document
    // goes to the next page of the same file; nothing drawn after it leaves no blank page.
    void pdfPagesFollowTheDocuments_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("pages");
        QTest::newRow("nothing") << "" << 1;
        QTest::newRow("one") << "t" << 1;
        QTest::newRow("new page") << "tnt" << 2;
        QTest::newRow("blank page") << "tnnt" << 3;
        QTest::newRow("documents") << "tetete" << 3;
        QTest::newRow("trailing") << "ten" << 2;
    }
    void pdfPagesFollowTheDocuments()
    {
        QFETCH(QString, script);
        QFETCH(int, pages);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.pdf"));
        {
            PdfPrinter pdf(path);
            PrintSurface surface(pdf.backEnd());
            for (QChar step : script) {
                if (step == u't')
                    surface.printLine(QStringLiteral("Pagina"));
                else if (step == u'n')
                    surface.NewPage();
                else
                    surface.EndDoc();
            }
            QVERIFY(pdf.finish());
        }
        QPdfDocument document;
        QCOMPARE(document.load(path), QPdfDocument::Error::None);
        QCOMPARE(document.pageCount(), pages);
        QCOMPARE(document.pagePointSize(0).toSize(), QSize(595, 842));
    }

    void pdfLeavesNoFileUnlessFinished()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.pdf"));
        {
            PdfPrinter pdf(path);
            PrintSurface surface(pdf.backEnd());
            surface.printLine(QStringLiteral("abbandonato"));
        }
        QVERIFY(!QFile::exists(path));
        PdfPrinter nowhere(folder.filePath(QStringLiteral("missing/out.pdf")));
        QString error;
        QVERIFY(!nowhere.isOpen(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!nowhere.finish());
    }
};

QTEST_MAIN(TestPrintSurface)
#include "testPrintSurface.moc"
