#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"
#include "cli/ResultsFile.h"

#include <QFileInfo>

namespace Cli {

bool loadResults(const QString& path, ResultsLogic::Fields& fields)
{
    if (!QFileInfo::exists(path)) {
        printError(QStringLiteral("Impossibile trovare il File '%1' !").arg(path));
        return false;
    }
    const LegacyTextFile::ReadStatus status = ResultsLogic::read(path, fields);
    if (status == LegacyTextFile::ReadStatus::Ok)
        return true;
    printError(
        LegacyTextFile::refusalMessage(status, path,
                                       QStringLiteral("Il File %1 non contiene Risultati validi !")
                                           .arg(QFileInfo(path).fileName())));
    return false;
}

int runResults(QStringList arguments)
{
    takeAppFolder(arguments);
    const QString usage = usageOf(QStringLiteral("results"));
    QString rsl;
    const qsizetype at = arguments.indexOf(QStringLiteral("--rsl"));
    if (at >= 0) {
        if (at + 1 >= arguments.size()) {
            printError(usage);
            return ExitUsage;
        }
        rsl = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (arguments.size() != 1) {
        printError(usage);
        return ExitUsage;
    }
    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.first(), path) || !loadSystem(path, document))
        return ExitBadInput;
    if (rsl.isEmpty())
        rsl = ResultsLogic::filePath(path.folder, path.name);
    ResultsLogic::Fields fields;
    if (!loadResults(rsl, fields))
        return ExitBadInput;

    printLine(QStringLiteral("Punti: %1").arg(ResultsLogic::points(fields, document)));
    QStringList missed;
    for (const int match : ResultsLogic::uncovered(fields, document))
        missed << QString::number(match);
    printLine(QStringLiteral("Partite non coperte: ") +
              (missed.isEmpty() ? QStringLiteral("nessuna") : missed.join(u' ')));
    if (const auto won = ResultsLogic::winningsOf(fields, document)) {
        for (int k = 0; k < ResultsLogic::Winnings::Categories; ++k)
            printLine(QStringLiteral("Colonne con %1 punti: %2").arg(13 - k).arg(won->counts[k]));
        printLine(ResultsLogic::totalText(won->total));
    }
    return ExitOk;
}

} // namespace Cli
