#include "output/SlipLayout.h"
#include "output/ui/SlipPicture.h"
#include "output/ui/SlipsWindow.h"
#include "platform/PainterPrinter.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrinterChoice.h"
#include "support/GuiDriver.h"
#include "support/PdfPages.h"
#include "support/PrintChecks.h"
#include "support/ScriptedPrinterQueue.h"
#include "support/TestSystems.h"

#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

// The slip window on a system of nine reduced columns (three slips: 4, 3, 2 columns).
class TestSlipsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> m_p;
    std::unique_ptr<SlipsWindow> m_window;

    template <typename T> T* get(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    void open()
    {
        m_window = std::make_unique<SlipsWindow>(*m_p->session);
        QVERIFY(activate(m_window.get()));
    }
    // Replaces a box's text by typing, then leaves it for `next`.
    void type(const char* name, const QString& keys, const char* next = nullptr)
    {
        get<QLineEdit>(name)->setFocus(Qt::MouseFocusReason);
        typeInto(get<QLineEdit>(name), keys);
        if (next)
            get<QWidget>(next)->setFocus(Qt::TabFocusReason);
    }
    QString calibrationPath() const { return m_p->dir.filePath(QStringLiteral("DefPrnV.sys")); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init()
    {
        m_p = std::make_unique<StartedProgram>();
        m_p->session->options()[Options::ColumnCost] = QStringLiteral("0.5");
        SystemDocument& document = m_p->session->document() =
            TestSystems::withPrediction(QStringList(11, "1") + QStringList{"1X2", "1X2"});
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = 9;
    }
    void cleanup()
    {
        m_window.reset();
        m_p.reset();
    }

    // Opens with the defaults, writes nothing until Memorizza; reopened, shows what it wrote.
    void calibrationIsShownMovesThePictureAndIsWritten()
    {
        open();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Prova - Stampa Schedine"));
        const auto shown = [this] {
            return textsOf(m_window.get(), u"lblVert lblOriz txtDIA lblTotSched txtDA"_s) + u'|' +
                   QString::number(get<QScrollBar>("vscAlto")->value());
        };
        QCOMPARE(shown(), u"0|0|1,6|3 su 3|1|0"_s);
        const auto* picture = get<SlipPicture>("picSchedina");
        QCOMPARE(PrintChecks::dots(picture->recorded()).first(), QStringLiteral("31.10,129.30"));
        get<QScrollBar>("vscSini")->setValue(-12);
        QCOMPARE(PrintChecks::dots(picture->recorded()).first(), QStringLiteral("29.90,129.30"));
        type("txtDIA", QStringLiteral("2"));
        QCOMPARE(picture->recorded().items().first().radius, 1.0 * 1440 / 25.4);
        QVERIFY(!QFile::exists(calibrationPath()));
        get<QScrollBar>("vscAlto")->setValue(15);
        get<QScrollBar>("vscSini")->setValue(-3);
        type("txtDIA", QStringLiteral("1,25"));
        QTest::mouseClick(get<QPushButton>("cmdOK"), Qt::LeftButton);
        QCOMPARE(TestSystems::fileContent(calibrationPath()),
                 QByteArray("1.5\r\n-0.3\r\n1.25\r\n"));
        open();
        QCOMPARE(shown(), u"1.5|-0.3|1,25|3 su 3|1|15"_s);
    }

    // Box, keys typed, message; no message when accepted.
    void refusals_data()
    {
        QTest::addColumn<QString>("row");
        const QString notAllowed = QStringLiteral("|Valore non consentito !");
        QTest::newRow("dot 2,54") << "txtDIA|2,54|";
        QTest::newRow("dot 2,55") << "txtDIA|2,55|Valore Diametro Massimo = 2,5 mm !";
        QTest::newRow("dot empty") << "txtDIA|" + notAllowed;
        QTest::newRow("dot 0") << "txtDIA|0" + notAllowed;
        QTest::newRow("first emptied") << "txtDA|" + notAllowed;
        QTest::newRow("first beyond") << "txtDA|4" + notAllowed;
        QTest::newRow("last beyond") << "txtA|4" + notAllowed;
        QTest::newRow("last 2") << "txtA|2|";
        QTest::newRow("letters dropped") << "txtA|x2|";
    }
    void refusals()
    {
        QFETCH(QString, row);
        const QByteArray box = row.section(u'|', 0, 0).toLatin1();
        const QString message = row.section(u'|', 2);
        open();
        if (!message.isEmpty())
            m_p->prompts.expectMessage(message);
        // The first slip is checked as it changes, the others when left.
        type(box.constData(), row.section(u'|', 1, 1), box == "txtDA" ? nullptr : "cmdTest");
        QCOMPARE(m_p->prompts.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QApplication::focusWidget() == get<QWidget>(box.constData()), !message.isEmpty());
        if (message.isEmpty() && box == "txtA")
            QCOMPARE(textOf(m_window.get(), u"lblTotSched"_s), QStringLiteral("2 su 3"));
    }

    // Last slip, button, PDF chosen ("-": cancelled), pages (-1: failed). One PDF page per slip
    // sent; the tests print one page; a failed run reports the printer's failure and closes the
    // window.
    void printing_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("first two") << "2 cmdStampa schedine.pdf 2";
        QTest::newRow("cancelled") << "3 cmdStampa - 0";
        QTest::newRow("failed") << "3 cmdStampa no/schedine.pdf -1";
        QTest::newRow("test") << "3 cmdTest schedine.pdf 1";
        QTest::newRow("advanced test") << "3 cmdTestAV schedine.pdf 1";
    }
    void printing()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u' ');
        const QByteArray button = fields[1].toLatin1();
        const int pages = fields[3].toInt();
        open();
        type("txtA", fields[0], "txtDA");
        const QString path = m_p->dir.filePath(fields[2]);
        m_p->prompts.expectPrinterChoice(fields[2] == u'-' ? std::nullopt
                                                           : std::optional<QString>(path));
        if (pages < 0)
            m_p->prompts.expectMessage(QStringLiteral("Stampa fallita ! (482)"));
        QTest::mouseClick(get<QPushButton>(button.constData()), Qt::LeftButton);
        PdfPages printed(path);
        QCOMPARE(printed.count(), std::max(pages, 0));
        QCOMPARE(m_window->isVisible(), pages >= 0);
        QVERIFY(m_window->isEnabled());
        QCOMPARE(m_p->session->TaskMode == QLatin1String("STAM"), button == "cmdStampa");
    }

    // When the queue refuses ("-": never) and which job, then how many of the three slips' jobs
    // were handed over. A refusal ends the run with the printer's failure and closes the
    // window.
    void refusingPrinter_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("taken") << "- 0 3";
        QTest::newRow("first refused") << "before 1 0";
        QTest::newRow("second refused") << "before 2 1";
        QTest::newRow("second dropped") << "after 2 2";
    }
    void refusingPrinter()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u' ');
        const bool refused = fields[0] != u'-';
        ScriptedPrinterQueue queue(m_p->dir.filePath(u"coda.pdf"_s), fields[1].toInt(),
                                   fields[0] == u"before" ? ScriptedPrinterQueue::When::Before
                                                          : ScriptedPrinterQueue::When::After);
        open();
        m_p->prompts.expectPrinterChoice(QString());
        if (refused)
            m_p->prompts.expectMessage(QStringLiteral("Stampa fallita ! (482)"));
        QTest::mouseClick(get<QPushButton>("cmdStampa"), Qt::LeftButton);
        QVERIFY(m_p->prompts.allConsumed());
        QCOMPARE(queue.jobs, fields[2].toInt());
        QCOMPARE(m_window->isVisible(), !refused);
    }

    // Stopped at its second slip, a PDF printout leaves no file behind.
    void interruptedPdfLeavesNoFile()
    {
        const QString path = m_p->dir.filePath(u"schedine.pdf"_s);
        m_p->prompts.expectPrinterChoice(path);
        PrintJob job(nullptr, m_p->prompts, m_p->session->progress());
        int passes = 0;
        const auto outcome = job.run({u"Prova"_s, u"Stampa in corso... Attendere !"_s, {}},
                                     [&](PrintSurface& surface, ProgressReporter&) {
                                         surface.printLine(u"Schedina 1"_s);
                                         // The pages are counted first, then written.
                                         if (++passes == 2)
                                             job.interrupt();
                                         surface.NewPage();
                                         surface.printLine(u"Schedina 2"_s);
                                     });
        QCOMPARE(passes, 2);
        QCOMPARE(int(outcome), int(PrintJob::Outcome::Interrupted));
        QCOMPARE(QDir(m_p->dir.path()).entryList({u"*.pdf*"_s}, QDir::Files), QStringList());
    }

    // The queue's own defaults (landscape, Qt's 10 pt margin, several copies) give way to what
    // every printout asks: portrait from the printable area's corner, the job named; then the
    // set-up's copies, paper and margins are kept. A test slip's first dot lands where the PDF
    // output puts it, 31.1 mm across and 78.3 mm down.
    void printerPageSetUp()
    {
        const QString path = m_p->dir.filePath(u"coda.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Point);
        printer.setCopyCount(4);
        PrinterChoice::instance().configure(printer, u"QUADRIGO 13 - Schedina 3 di 12"_s);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF());
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer.docName(), u"QUADRIGO 13 - Schedina 3 di 12"_s);
        QCOMPARE(printer.copyCount(), 1);
        {
            PainterPrinter backEnd(printer, u"coda"_s, PainterPrinter::DocumentEnd::NextPage);
            PrintSurface surface(backEnd);
            SlipLayout::prepare(surface);
            SlipLayout::printTest(surface, {});
            QVERIFY(backEnd.finish());
        }
        PdfPages printed(path);
        QVERIFY(printed.isDark(0, 31.1, 78.3));
        QVERIFY(!printed.isDark(0, 31.1 + 1.4, 78.3));

        QPrinter chosen;
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setCopyCount(2);
        chosen.setPageSize(QPageSize(QPageSize::Letter));
        chosen.setPageMargins(QMarginsF(5, 6, 7, 8), QPageLayout::Millimeter);
        PrinterChoice::instance().rememberSettings(chosen);
        QPrinter next;
        next.setOutputFormat(QPrinter::PdfFormat);
        PrinterChoice::instance().configure(next);
        QCOMPARE(next.copyCount(), 2);
        QCOMPARE(next.pageLayout().pageSize().id(), QPageSize::Letter);
        QCOMPARE(next.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(5, 6, 7, 8));
    }
};

QTEST_MAIN(TestSlipsWindow)
#include "testSlipsWindow.moc"
