#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrinterChoice.h"

#include "support/TestSystems.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;

namespace {

// Answers the printer selection with its Stampa button and keeps the messages shown.
class PrinterPrompts final : public UserPrompts {
public:
    QStringList messages;
    MessageAnswer message(const MessageRequest& request) override
    {
        messages << request.text;
        return MessageAnswer::Ok;
    }
    std::optional<QString> input(const InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    bool printerSetup() override { return false; }
    std::optional<PrintChoice> choosePrinter(const QString&) override
    {
        return PrintChoice{PrintDestination::Printer, {}};
    }
};

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    // A PDF file chosen in the printer set-up instead of a printer is written whole like one
    // saved from the printer selection, and a device in its place is refused untouched.
    void fileChosenInTheSetUp_data()
    {
        QTest::addColumn<bool>("device");
        QTest::newRow("file") << false;
        QTest::newRow("device") << true;
    }
    void fileChosenInTheSetUp()
    {
        QFETCH(bool, device);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"setup.pdf"_s);
        // A null device of the test's own, which a writer that replaced it would not harm.
        if (device &&
            ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("no right to make a device");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        PrinterChoice::instance().remember(printer);
        PrinterPrompts prompts;
        ProgressReporter progress;
        QWidget parent;
        PrintJob job(&parent, prompts, progress);
        const PrintJob::Outcome outcome = job.run(
            {u"Prova"_s, u"Stampa in corso... Attendere !"_s, {}, false},
            [](PrintSurface& surface, ProgressReporter&) { surface.printLine(u"Prova"_s); });
        QCOMPARE(outcome, device ? PrintJob::Outcome::Failed : PrintJob::Outcome::Printed);
        QCOMPARE(prompts.messages.size(), device ? 1 : 0);
        if (device) {
            QVERIFY2(
                prompts.messages.first().contains(u"Il File setup.pdf non è un file ordinario !"_s),
                qPrintable(prompts.messages.first()));
            QVERIFY(!QFileInfo(path).isFile());
        } else {
            QVERIFY(TestSystems::fileContent(path).startsWith("%PDF"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{u"setup.pdf"_s});
    }
};

QTEST_MAIN(TestPrintJob)
#include "testPrintJob.moc"
