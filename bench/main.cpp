#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "platform/MemoryTuning.h"

void benchArchive();
void benchDocument(const QString& cliPath);
void benchEngine();
void benchOutput();
void benchPrinting();
void benchArchiveStore();

// Timings of the heavy operations, as medians of several runs. Pass the path of
// quadrigo13-cli to time the tool as well (default: beside this program's build folder).
int main(int argc, char* argv[])
{
    // Printing measures text with real fonts, which takes the GUI application, drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    MemoryTuning::keepLargeBlocksMapped();
    QString cli = app.arguments().value(1);
    if (cli.startsWith(QStringLiteral("--")))
        cli.clear();
    if (cli.isEmpty()) {
        const QString guess =
            QDir(app.applicationDirPath()).filePath(QStringLiteral("../src/quadrigo13-cli"));
        if (QFileInfo::exists(guess))
            cli = guess;
    }
    if (app.arguments().contains(QStringLiteral("--archive-only"))) {
        benchArchiveStore();
        return 0;
    }
    benchPrinting();
    if (app.arguments().contains(QStringLiteral("--print-only")))
        return 0;
    benchDocument(cli);
    benchEngine();
    benchOutput();
    benchArchiveStore();
    benchArchive();
    return 0;
}
