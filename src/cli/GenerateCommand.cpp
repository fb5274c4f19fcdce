#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

#include "document/IntegralGenerator.h"
#include "document/Options.h"
#include "document/StatusTexts.h"
#include "document/SystemFiles.h"

#include <QDir>

namespace Cli {

namespace {

// The prediction of a saved system, whose matches may not yet span an integral system.
bool loadPrediction(const QStringList& arguments, SystemPath& path, SystemDocument& document)
{
    if (arguments.size() != 1) {
        printError(QStringLiteral("Indicare un solo Pronostico (.pro) !"));
        return false;
    }
    if (!splitSystemPath(arguments.first(), path))
        return false;
    return loadSystem(path, document, {.conditionsRequired = false, .columns = false});
}

std::array<QString, 13> signsOf(const SystemDocument& document)
{
    std::array<QString, 13> signs;
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        signs[i - 1] = document.signsOf(i);
    return signs;
}

} // namespace

int runGenerate(QStringList arguments)
{
    takeAppFolder(arguments);
    SystemPath path;
    SystemDocument document;
    if (!loadPrediction(arguments, path, document))
        return ExitBadInput;
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        if (document.signsOf(i).isEmpty()) {
            printError(QStringLiteral("Una o più caselle vuote ! (partita %1)").arg(i));
            return ExitBadInput;
        }
    }

    const auto signs = signsOf(document);
    document.IntegralCount = IntegralGenerator::integralCount(signs);
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.ReducedCount = 0;
    document.WorkColumns.clear();
    document.MergedCount = 0;
    document.countSigns();
    document.countKinds();

    QString error;
    if (!SystemFiles::save(document, path.folder, &error)) {
        printError(QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(error));
        return ExitBadInput;
    }
    return ExitOk;
}

int runInfo(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    SystemPath path;
    SystemDocument document;
    if (!loadPrediction(arguments, path, document))
        return ExitBadInput;
    Options options;
    QString refused;
    if (!options.read(QDir(appFolder).filePath(Options::fileName()),
                      QDir(appFolder).filePath(QStringLiteral("Sistemi")), &refused) &&
        !refused.isEmpty()) {
        printError(refused);
        return ExitBadInput;
    }
    const auto panels = StatusTexts::integralPanels(document, options.columnCost());
    for (const QString& panel : panels)
        printLine(panel);
    return ExitOk;
}

} // namespace Cli
