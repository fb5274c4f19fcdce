#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

#include "conditions/GuaranteeCover.h"
#include "document/IntegralGenerator.h"
#include "document/SystemFiles.h"
#include "platform/NumberFormat.h"
#include "session/ReducedSystem.h"

namespace Cli {

namespace {

constexpr qint64 MaximumSeconds = 86400;

} // namespace

int runGuarantee(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    GuaranteeCover::Request request;
    request.source = GuaranteeCover::Source::Protected;
    if (arguments.removeAll(QStringLiteral("--from-integral")) > 0)
        request.source = GuaranteeCover::Source::Integral;
    std::optional<qint64> level;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--level")); at >= 0) {
        level = NumberFormat::wholeWithin(arguments.value(at + 1), 11, 12);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
    if (!level) {
        printError(QStringLiteral("Indicare la garanzia: --level 12 oppure --level 11 !"));
        return ExitBadInput;
    }
    request.level = int(*level);
    std::optional<qint64> seconds = 10;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--seconds")); at >= 0) {
        // A day at most: more would overflow the milliseconds and run as no time at all.
        seconds = NumberFormat::wholeWithin(arguments.value(at + 1), 1, MaximumSeconds);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
        if (!seconds) {
            printError(QStringLiteral("Secondi non validi (un numero intero da 1 a %1) !")
                           .arg(MaximumSeconds));
            return ExitBadInput;
        }
    }
    request.budgetMilliseconds = int(*seconds * 1000);
    if (arguments.size() != 1) {
        printError(QStringLiteral("Indicare un solo Pronostico (.pro) !"));
        return ExitBadInput;
    }
    SystemPath path;
    if (!splitSystemPath(arguments.first(), path))
        return ExitBadInput;
    SystemDocument document;
    if (!loadSystem(path, document, {.conditionsRequired = false, .columns = true}))
        return ExitBadInput;
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        request.signs[i - 1] = document.signsOf(i);
        if (request.signs[i - 1].isEmpty()) {
            printError(QStringLiteral("Una o più caselle vuote ! (partita %1)").arg(i));
            return ExitBadInput;
        }
    }
    const qint32 integralCount = IntegralGenerator::integralCount(request.signs);
    if (integralCount == 0) {
        printError(QStringLiteral("Il Pronostico non prevede un Sistema Integrale !"));
        return ExitBadInput;
    }
    if (!prepareAppFolder(appFolder))
        return ExitBadInput;
    // What is reduced is protected; with nothing reduced, the whole integral system.
    request.targets = document.ReducedCount > 0 && !document.WorkColumns.isEmpty()
                          ? document.WorkColumns
                          : IntegralGenerator::generate(request.signs);

    GuaranteeCover::Result result = GuaranteeCover::build(request);
    const GuaranteeCover::Check check = GuaranteeCover::verify(request.targets, result.played);
    if (!check.covers(request.level)) {
        qsizetype safe = 0;
        for (int d = 0; d <= GuaranteeCover::radiusOf(request.level); ++d)
            safe += check.atDistance[d];
        printError(QStringLiteral("Verifica fallita: %1 colonne senza garanzia !")
                       .arg(request.targets.count() - safe));
        return ExitBadInput;
    }

    QString error;
    if (!ReducedSystem::adopt(appFolder, document, std::move(result.played), &error)) {
        printError(QStringLiteral("Impossibile scrivere il Sistema Ridotto ! (%1)").arg(error));
        return ExitBadInput;
    }
    document.IntegralCount = integralCount;
    document.MergedCount = 0;
    if (!SystemFiles::save(document, path.folder, &error)) {
        printError(QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(error));
        return ExitBadInput;
    }
    printLine(QStringLiteral("Colonne prima: %1").arg(request.targets.count()));
    printLine(QStringLiteral("Colonne dopo: %1").arg(document.ReducedCount));
    printLine(QStringLiteral("Garanzia: %1").arg(request.level));
    for (int d = 0; d < 3; ++d)
        printLine(QStringLiteral("Colonne a distanza %1: %2").arg(d).arg(check.atDistance[d]));
    return ExitOk;
}

} // namespace Cli
