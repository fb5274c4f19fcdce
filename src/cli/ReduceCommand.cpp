// Placeholder until the reduction subcommands are written.
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

namespace Cli {
int runReduce(QStringList) {
    printError(QStringLiteral("Comando non ancora disponibile"));
    return ExitUsage;
}
int runMeasures(QStringList) {
    printError(QStringLiteral("Comando non ancora disponibile"));
    return ExitUsage;
}
} // namespace Cli
