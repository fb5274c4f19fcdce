#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

#include "document/IntegralGenerator.h"
#include "output/ColumnText.h"
#include "platform/ColumnDatabase.h"
#include "session/ReducedSystem.h"

#include <QFileInfo>

namespace Cli {

namespace {

// The integral system enumerated again from the prediction, as the reduction does; false with
// the reason printed when the prediction spans none.
bool enumerateIntegral(SystemDocument& document)
{
    std::array<QString, SystemDocument::Matches> signs;
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        signs[i - 1] = document.signsOf(i);
    document.IntegralCount = IntegralGenerator::integralCount(signs);
    if (document.IntegralCount == 0) {
        printError(QStringLiteral("Il Pronostico non prevede un Sistema Integrale !"));
        return false;
    }
    document.IntegralColumns = IntegralGenerator::generate(signs);
    return true;
}

} // namespace

int runExportText(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    const bool integral = arguments.removeAll(QStringLiteral("--integral")) > 0;
    const bool merged = arguments.removeAll(QStringLiteral("--merged")) > 0;
    const bool csv = arguments.removeAll(QStringLiteral("--csv")) > 0;
    if (arguments.size() != 2 || (integral && merged)) {
        printError(QStringLiteral("Uso: export-text PERCORSO.pro FILE [--integral | --merged] "
                                  "[--csv] [--app-folder CARTELLA]"));
        return ExitUsage;
    }
    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.first(), path) || !loadSystem(path, document))
        return ExitBadInput;
    const auto format = csv ? ColumnText::Format::Csv : ColumnText::Format::Plain;
    const QString& out = arguments.at(1);
    QString error;
    bool written = false;
    if (merged) {
        MergedColumns rows;
        if (document.MergedCount < 1) {
            printError(QStringLiteral("Il Sistema non è stato accorpato !"));
            return ExitBadInput;
        }
        if (!ColumnDatabase::readMergedRows(appFolder, rows, &error)) {
            printError(error);
            return ExitBadInput;
        }
        written = ColumnText::writeMerged(out, rows, format, &error);
    } else {
        const ColumnBuffer& columns = integral ? document.IntegralColumns : document.WorkColumns;
        if (columns.isEmpty()) {
            printError(integral
                           ? QStringLiteral("Il Sistema Integrale non è stato ancora generato !")
                           : QStringLiteral("Il Sistema Ridotto non è stato ancora elaborato !"));
            return ExitBadInput;
        }
        written = ColumnText::writeColumns(out, columns, format, &error);
    }
    if (!written) {
        printError(QStringLiteral("Impossibile scrivere il File '%1' ! (%2)").arg(out, error));
        return ExitBadInput;
    }
    return ExitOk;
}

int runImportText(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    if (arguments.size() != 2) {
        printError(QStringLiteral("Uso: import-text PERCORSO.pro FILE [--app-folder CARTELLA]"));
        return ExitUsage;
    }
    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.first(), path) ||
        !loadSystem(path, document, {.conditionsRequired = false, .columns = false}) ||
        !enumerateIntegral(document))
        return ExitBadInput;
    ColumnText::Import imported;
    QString error;
    if (!ColumnText::read(arguments.at(1), document, imported, &error)) {
        printError(error);
        return ExitBadInput;
    }
    if (!imported.ok()) {
        printError(ColumnText::refusal(QFileInfo(arguments.at(1)).fileName(), imported));
        return ExitBadInput;
    }
    if (!prepareAppFolder(appFolder))
        return ExitBadInput;
    document.countSigns();
    document.countKinds();
    const QString done = ColumnText::summary(imported);
    if (!ReducedSystem::adopt(appFolder, document, std::move(imported.columns), &error)) {
        printError(QStringLiteral("Impossibile scrivere il Sistema Ridotto ! (%1)").arg(error));
        return ExitBadInput;
    }
    document.MergedCount = 0;
    if (!SystemFiles::save(document, path.folder, &error)) {
        printError(QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(error));
        return ExitBadInput;
    }
    printLine(done);
    return ExitOk;
}

} // namespace Cli
