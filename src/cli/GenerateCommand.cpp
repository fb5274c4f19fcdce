#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

namespace Cli {
int runGenerate(QStringList) {
    return ExitUsage;
}
int runInfo(QStringList) {
    return ExitUsage;
}
} // namespace Cli
