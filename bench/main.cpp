#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/MemoryTuning.h"

#include <functional>
#include <map>

void benchArchiveStatistics();
void benchDocument(const QString& cliPath);
void benchEngine();
void benchOutput();
void benchPrinting();
void benchArchiveStore();
void benchDictationDrift(int columns);
void benchDictationSound(const QString& folder, int columns, int speed);
void benchResults();
void benchGuarantee();
void benchColumnText();
void benchDatabases(const QString& cliPath);
void benchLiveCount();
void benchStalls();
void benchEvidence();
void benchAdvanced(const QString& cliPath);

// Timings of the heavy operations, as medians of several runs. Pass the path of
// quadrigo13-cli to time the tool as well (default: beside this program's build folder).
int main(int argc, char* argv[])
{
    // Printing measures text with real fonts, which takes the GUI application, drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    // The pace of the dictation is real time: 100 columns take about seven minutes.
    if (const qsizetype at = app.arguments().indexOf(QStringLiteral("--dictation")); at > 0) {
        benchDictationDrift(app.arguments().value(at + 1, QStringLiteral("100")).toInt());
        return 0;
    }
    // The same through the desktop's sound output, for tools/measure-dictation.sh to record.
    if (const qsizetype at = app.arguments().indexOf(QStringLiteral("--dictation-sound")); at > 0) {
        const QStringList rest = app.arguments().mid(at + 1);
        benchDictationSound(rest.value(0), rest.value(1, QStringLiteral("5")).toInt(),
                            rest.value(2, QStringLiteral("1")).toInt());
        return 0;
    }
    // One group alone; the guarantee, the live count, the evidence and the stalls run only this
    // way.
    const std::map<QString, std::function<void()>> groups = {
        {QStringLiteral("--guarantee-only"), benchGuarantee},
        {QStringLiteral("--live-only"), benchLiveCount},
        {QStringLiteral("--evidence-only"), benchEvidence},
        {QStringLiteral("--advanced-only"), [&cli] { benchAdvanced(cli); }},
        {QStringLiteral("--results-only"), benchResults},
        {QStringLiteral("--text-only"), benchColumnText},
        {QStringLiteral("--stalls-only"), benchStalls},
        {QStringLiteral("--archive-only"),
         [] {
             benchArchiveStore();
             benchArchiveStatistics();
         }},
    };
    if (app.arguments().contains(QStringLiteral("--db-only"))) {
        benchDatabases(cli);
        return 0;
    }
    for (const auto& [option, run] : groups) {
        if (app.arguments().contains(option)) {
            run();
            return 0;
        }
    }
    benchPrinting();
    if (app.arguments().contains(QStringLiteral("--print-only")))
        return 0;
    benchDocument(cli);
    benchEngine();
    benchAdvanced(cli);
    benchOutput();
    benchDatabases(cli);
    benchColumnText();
    benchResults();
    benchArchiveStore();
    benchArchiveStatistics();
    return 0;
}
