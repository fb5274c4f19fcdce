#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"
#include "platform/MemoryTuning.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>

namespace {

// Whether the command, the first argument that is not an option of the program, is print.
bool isPrinting(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--app-folder") == 0)
            ++i;
        else if (argv[i][0] != '-')
            return qstrcmp(argv[i], "print") == 0;
    }
    return false;
}

// Whether "--app-folder" stands anywhere without a value after it.
bool folderWithoutValue(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--app-folder") == 0 &&
            (i + 1 == argc || qstrncmp(argv[i + 1], "--", 2) == 0 || argv[i + 1][0] == '\0'))
            return true;
    }
    return false;
}

QtMessageHandler qtHandler = nullptr;

// Qt's own notes about the platform (a missing XDG_RUNTIME_DIR, the offscreen plugin) are not
// the tool's output; everything else goes through as before.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool note = type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg;
    const bool qtOwn = (context.category && qstrncmp(context.category, "qt.", 3) == 0) ||
                       message.startsWith(QLatin1String("QStandardPaths:"));
    if (note && qtOwn)
        return;
    if (qtHandler)
        qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char* argv[])
{
    qtHandler = qInstallMessageHandler(dropPlatformNotes);
    // Printing measures and draws text with real fonts, which takes the GUI application; the
    // tool never shows a window, so it draws offscreen.
    const bool printing = isPrinting(argc, argv);
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> owner = printing
                                                  ? std::make_unique<QGuiApplication>(argc, argv)
                                                  : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *owner;
    // Without its value the option would be taken for the folder's name or dropped silently.
    if (folderWithoutValue(argc, argv)) {
        Cli::printError(QStringLiteral("Manca il valore di --app-folder."));
        return Cli::ExitBadInput;
    }
    // The same per-user folder as the windows' program when installed.
    app.setOrganizationName(QStringLiteral("Quadrigo13"));
    app.setApplicationName(QStringLiteral("QUADRIGO 13"));
    app.setApplicationVersion(QStringLiteral("%1.%2.%3")
                                  .arg(QUADRIGO_VERSION_MAJOR)
                                  .arg(QUADRIGO_VERSION_MINOR)
                                  .arg(QUADRIGO_VERSION_PATCH));
    MemoryTuning::keepLargeBlocksMapped();

    // Options before the command are the program's own; what follows the command is its.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("mostra l'aiuto"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("mostra la versione"));
    const QCommandLineOption folder(QStringLiteral("app-folder"),
                                    QStringLiteral("cartella del programma"),
                                    QStringLiteral("CARTELLA"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(folder);
    if (!parser.parse(app.arguments())) {
        Cli::printError(parser.errorText() + QLatin1Char('\n') + Cli::overview());
        return Cli::ExitUsage;
    }
    if (parser.isSet(help)) {
        Cli::printLine(Cli::overview());
        return Cli::ExitOk;
    }
    if (parser.isSet(version)) {
        Cli::printLine(QStringLiteral("quadrigo13-cli ") + app.applicationVersion());
        return Cli::ExitOk;
    }
    QStringList arguments = parser.positionalArguments();
    // Given before the command, the folder still reaches it.
    if (parser.isSet(folder))
        arguments << QStringLiteral("--app-folder") << parser.value(folder);
    const std::map<QString, std::function<int(QStringList)>> commands = {
        {QStringLiteral("generate"), Cli::runGenerate},
        {QStringLiteral("info"), Cli::runInfo},
        {QStringLiteral("reduce"), Cli::runReduce},
        {QStringLiteral("conditions"), Cli::runConditions},
        {QStringLiteral("guarantee"), Cli::runGuarantee},
        {QStringLiteral("measures"), Cli::runMeasures},
        {QStringLiteral("merge"), Cli::runMerge},
        {QStringLiteral("check"), Cli::runCheck},
        {QStringLiteral("list"), Cli::runList},
        {QStringLiteral("print"), Cli::runPrint},
        {QStringLiteral("results"), Cli::runResults},
        {QStringLiteral("archive"), Cli::runArchive},
        {QStringLiteral("dictate"), Cli::runDictate},
        {QStringLiteral("stats"), Cli::runStats},
        {QStringLiteral("export-text"), Cli::runExportText},
        {QStringLiteral("import-text"), Cli::runImportText},
        {QStringLiteral("outcomes"), Cli::runOutcomes},
        {QStringLiteral("live"), Cli::runLive},
        {QStringLiteral("backtest"), Cli::runBacktest},
    };
    if (arguments.isEmpty() || !commands.contains(arguments.first())) {
        Cli::printError(Cli::overview());
        return Cli::ExitUsage;
    }
    const QString command = arguments.takeFirst();
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        Cli::printLine(Cli::usageOf(command));
        return Cli::ExitOk;
    }
    return commands.at(command)(arguments);
}
