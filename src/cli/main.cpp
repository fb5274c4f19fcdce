#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "platform/MemoryTuning.h"

#include <QCoreApplication>

#include <functional>
#include <map>

namespace {

const char* Usage = "Uso: quadrigo13-cli COMANDO ...\n"
                    "  generate PERCORSO.pro            genera il Sistema Integrale e lo salva\n"
                    "  info PERCORSO.pro                mostra i dati del Sistema Integrale\n"
                    "  reduce PERCORSO.pro              elabora il Sistema Ridotto e lo salva\n"
                    "  measures COLONNA...              mostra le misure delle colonne\n"
                    "  merge PERCORSO.pro               accorpa il Sistema Ridotto\n"
                    "  check PERCORSO.pro VINCENTE [--integral]   spoglio delle colonne\n"
                    "  list PERCORSO.pro [--integral]   elenca le colonne\n"
                    "Opzione comune: --app-folder CARTELLA";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    MemoryTuning::keepLargeBlocksMapped();
    QStringList arguments = app.arguments().mid(1);
    const std::map<QString, std::function<int(QStringList)>> commands = {
        {QStringLiteral("generate"), Cli::runGenerate},
        {QStringLiteral("info"), Cli::runInfo},
        {QStringLiteral("reduce"), Cli::runReduce},
        {QStringLiteral("measures"), Cli::runMeasures},
        {QStringLiteral("merge"), Cli::runMerge},
        {QStringLiteral("check"), Cli::runCheck},
        {QStringLiteral("list"), Cli::runList},
    };
    if (arguments.isEmpty() || !commands.contains(arguments.first())) {
        Cli::printError(QString::fromLatin1(Usage));
        return Cli::ExitUsage;
    }
    const QString command = arguments.takeFirst();
    return commands.at(command)(arguments);
}
