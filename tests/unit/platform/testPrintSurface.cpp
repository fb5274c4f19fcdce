#include "platform/PageTracker.h"
#include "platform/PrintError.h"

#include "support/DiskFaults.h"
#include "support/PdfPages.h"
#include "support/PrintChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace PrintChecks;
using Kind = RecordingPrinter::Kind;

using namespace Qt::StringLiterals;

namespace {

// t a line of text, n a new page, e the end of a document.
void playScript(PrintSurface& surface, const QString& script)
{
    for (QChar step : script) {
        if (step == u't')
            surface.printLine(u"Pagina"_s);
        else if (step == u'n')
            surface.NewPage();
        else
            surface.EndDoc();
    }
}

} // namespace

// Text is measured with real fonts, which need the GUI application.
class TestPrintSurface : public QObject {
    Q_OBJECT

private slots:
    void fontsResolveToInstalledFaces()
    {
        for (const auto& [name, face] : {std::pair{"Courier New", "Liberation Mono"},
                                         {"Arial", "Liberation Sans"},
                                         {"Times New Roman", "Liberation Serif"},
                                         {"Thaoma", "Liberation Sans"}}) {
            QCOMPARE(PrintFonts::family(QLatin1String(name)), QLatin1String(face));
        }
    }

    // Liberation Mono advances 1229/2048 of an em: at 10 points (200 twips) a character is
    // 120.02 twips, and its line is (1705 + 615) / 2048 em = 226.56 twips high.
    void printMovesThroughColumnsLinesAndUnits()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        surface.Font = {u"Courier New"_s, 10, false, false};
        surface.print(u"AB"_s);
        QVERIFY(near(surface.CurrentX, 240.04));
        surface.tab(5);
        QVERIFY(near(surface.CurrentX, 480.08));
        surface.print(u"C"_s);
        surface.tab(2); // already past column 2: the next line
        QVERIFY(near(surface.CurrentX, 120.02) && near(surface.CurrentY, 226.56, 0.5));
        surface.printLine(u"D"_s);
        QVERIFY(surface.CurrentX == 0 && near(surface.CurrentY, 2 * 226.56, 1));
        QCOMPARE(recorder.lines(), QStringList({"ABC", "D"}));
        QVERIFY(near(recorder.items(Kind::Text)[1].at.x(), 480.08));
        QCOMPARE(recorder.items(Kind::Text)[0].font.Name, u"Courier New"_s);
        // Millimetres keep the position on the page.
        surface.CurrentX = 1440;
        surface.setScaleMode(PrintSurface::Millimetres);
        QVERIFY(near(surface.CurrentX, 25.4, 1e-9));
        QVERIFY(near(surface.ScaleWidth(), 210, 0.01)); // A4 portrait
        surface.FillStyle = 0;
        surface.DrawStyle = 6;
        surface.circle(31.1, 129.3, 0.8, Qt::black);
        QCOMPARE(dots(recorder), QStringList{"31.10,129.30"});
        const auto dot = recorder.items(Kind::Circle).first();
        QVERIFY(near(dot.radius, 0.8 * 1440 / 25.4, 1e-9));
        QCOMPARE(QList<int>({dot.circle.fillStyle, dot.circle.drawStyle}), QList<int>({0, 6}));
    }

    void pagesAndDocuments()
    {
        RecordingPrinter recorder(u"Prova"_s, QSizeF(11906, 1000));
        PrintSurface surface(recorder);
        QCOMPARE(surface.DeviceName(), u"Prova"_s);
        for (int i = 0; i < 5; ++i) // four lines of Arial 10 fit in 1000 twips, the fifth not
            surface.printLine(QString::number(i));
        QCOMPARE(surface.Page(), 2);
        QCOMPARE(recorder.lines(1, 2), QStringList({"4"}));
        surface.EndDoc();
        QCOMPARE(surface.Page(), 1);
        surface.printLine(u"x"_s);
        QCOMPARE(recorder.items().last().document, 2);
        QCOMPARE(recorder.documentsEnded(), 1);
        recorder.failAfter(0);
        QVERIFY_THROWS_EXCEPTION(PrintError, surface.printLine(u"y"_s));
    }

    // A page break opens a page even when nothing follows on the old one; ending a document
    // goes to the next page of the same file; nothing drawn after it leaves no blank page.
    void pdfPagesFollowTheDocuments_data()
    {
        QTest::addColumn<QString>("script"); // then the pages
        for (const QString& row : u"1 t1 tnt2 tnnt3 tetete3 ten2"_s.split(u' '))
            QTest::newRow(qPrintable(row)) << row;
    }
    void pdfPagesFollowTheDocuments()
    {
        QFETCH(QString, script);
        const int pages = script.back().digitValue();
        script.chop(1);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"out.pdf"_s);
        QVERIFY(toPdf(path, [&](PrintSurface& surface) { playScript(surface, script); }));
        PdfPages pdf(path);
        QCOMPARE(pdf.count(), pages);
        // Counted without drawing anything, as a preview counts them.
        PageTracker counter(nullptr);
        playScript(*std::make_unique<PrintSurface>(counter), script);
        QCOMPARE(counter.pages(), pages);
        QCOMPARE(pdf.pointSize(0), QSize(595, 842)); // A4
    }

    // Kept alone, page 2 of three holds its own text, and the drawing stops once it is done.
    void trackerKeepsOnePage()
    {
        RecordingPrinter kept;
        PageTracker tracker(&kept, 2);
        PrintSurface surface(tracker);
        surface.printLine(u"uno"_s);
        surface.NewPage();
        surface.printLine(u"due"_s);
        surface.NewPage();
        QVERIFY_THROWS_EXCEPTION(PageTracker::PageDone, surface.printLine(u"tre"_s));
        QCOMPARE(PrintChecks::texts(kept), QStringList{u"due"_s});
    }

    // Arial 36 at (20, 20) mm: capitals 9.1 mm high stand on the base line 11.5 mm lower.
    void pdfTextStandsWhereItWasPut()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"out.pdf"_s);
        QVERIFY(toPdf(path, [](PrintSurface& surface) {
            surface.setScaleMode(PrintSurface::Millimetres);
            surface.Font = {u"Arial"_s, 36, false, false};
            surface.CurrentX = surface.CurrentY = 20;
            surface.print(u"H H"_s);
        }));
        PdfPages pages(path);
        QVERIFY(pages.anyDark(0, QRectF(20, 26, 3, 0.5)));
        QVERIFY(!pages.anyDark(0, QRectF(15, 15, 40, 6.5)));
        QVERIFY(!pages.anyDark(0, QRectF(15, 32.5, 40, 3)));
        QVERIFY(!pages.anyDark(0, QRectF(29, 22, 3, 10))); // the blank between the letters
    }

    // Abandoned or cut short by a full disk at any write: no file, no temporary.
    void pdfLeavesNoFileUnlessFinished()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"out.pdf"_s);
        {
            PdfPrinter pdf(path);
            PrintSurface(pdf.backEnd()).printLine(u"abbandonato"_s);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        const auto print = [&] {
            return toPdf(path, [](PrintSurface& s) { playScript(s, "tnt"); });
        };
        // A folder left unsynced after the rename is reported, the file already in place.
        const QList<DiskFaults::Step> steps = DiskFaults::stepsOf([&] { print(); });
        const qsizetype renamed = steps.indexOf(DiskFaults::Step::Rename) + 1;
        QVERIFY(renamed > 2 && QFile::remove(path));
        for (int step = 1; step <= steps.size(); ++step) {
            QVERIFY(!DiskFaults::failingAt(step, ENOSPC, print));
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                     step <= renamed ? QStringList() : QStringList{"out.pdf"});
            QFile::remove(path);
        }
    }
};

QTEST_MAIN(TestPrintSurface)
#include "testPrintSurface.moc"
