// Placeholder until the output subcommands are written.
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

namespace Cli {
int runMerge(QStringList) {
    printError(QStringLiteral("Comando non ancora disponibile"));
    return ExitUsage;
}
int runCheck(QStringList) {
    printError(QStringLiteral("Comando non ancora disponibile"));
    return ExitUsage;
}
int runList(QStringList) {
    printError(QStringLiteral("Comando non ancora disponibile"));
    return ExitUsage;
}
} // namespace Cli
