#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "platform/MemoryTuning.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <functional>
#include <map>
#include <memory>

namespace {

const char* Usage = "Uso: quadrigo13-cli COMANDO ...\n"
                    "  generate PERCORSO.pro            genera il Sistema Integrale e lo salva\n"
                    "  info PERCORSO.pro                mostra i dati del Sistema Integrale\n"
                    "  reduce PERCORSO.pro              elabora il Sistema Ridotto e lo salva\n"
                    "  measures COLONNA...              mostra le misure delle colonne\n"
                    "  merge PERCORSO.pro               accorpa il Sistema Ridotto\n"
                    "  check PERCORSO.pro VINCENTE [--integral]   spoglio delle colonne\n"
                    "  list PERCORSO.pro [--integral]   elenca le colonne\n"
                    "  print COSA PERCORSO.pro --pdf FILE.pdf   stampa su PDF\n"
                    "Opzione comune: --app-folder CARTELLA";

} // namespace

int main(int argc, char* argv[])
{
    // Printing measures and draws text with real fonts, which takes the GUI application; the
    // tool never shows a window, so it draws offscreen.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = printing
                                                ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    MemoryTuning::keepLargeBlocksMapped();
    QStringList arguments = app->arguments().mid(1);
    const std::map<QString, std::function<int(QStringList)>> commands = {
        {QStringLiteral("generate"), Cli::runGenerate},
        {QStringLiteral("info"), Cli::runInfo},
        {QStringLiteral("reduce"), Cli::runReduce},
        {QStringLiteral("measures"), Cli::runMeasures},
        {QStringLiteral("merge"), Cli::runMerge},
        {QStringLiteral("check"), Cli::runCheck},
        {QStringLiteral("list"), Cli::runList},
        {QStringLiteral("print"), Cli::runPrint},
    };
    if (arguments.isEmpty() || !commands.contains(arguments.first())) {
        Cli::printError(QString::fromLatin1(Usage));
        return Cli::ExitUsage;
    }
    const QString command = arguments.takeFirst();
    return commands.at(command)(arguments);
}
