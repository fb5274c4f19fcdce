#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"

#include "archive/ArchiveStore.h"
#include "archive/ConditionBacktest.h"
#include "conditions/ConditionRules.h"
#include "output/LiveResults.h"
#include "output/OutcomeTable.h"
#include "platform/ColumnDatabase.h"

#include <QDir>
#include <QFileInfo>

namespace Cli {

namespace {

// Loads the system of the .pro path with columns to play; false with the reason printed.
bool loadPlayable(const QString& argument, SystemDocument& document)
{
    SystemPath path;
    if (!splitSystemPath(argument, path) || !loadSystem(path, document))
        return false;
    if (OutcomeTable::playedColumns(document).isEmpty()) {
        printError(QStringLiteral("Il Sistema Integrale non è stato ancora generato !"));
        return false;
    }
    return true;
}

} // namespace

int runOutcomes(QStringList arguments)
{
    takeAppFolder(arguments);
    const QString usage = usageOf(QStringLiteral("outcomes"));
    OutcomeTable::Over over = OutcomeTable::Over::Integral;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--over")); at >= 0) {
        const auto chosen = OutcomeTable::overOf(arguments.value(at + 1));
        if (!chosen) {
            printError(usage);
            return ExitUsage;
        }
        over = *chosen;
        arguments.remove(at, 2);
    }
    if (arguments.size() != 1) {
        printError(usage);
        return ExitUsage;
    }
    SystemDocument document;
    if (!loadPlayable(arguments.first(), document))
        return ExitBadInput;
    const AdvancedConditions advanced = document.Advanced;
    std::vector<quint8> errors;
    const OutcomeTable::Table table = OutcomeTable::forSystem(document, advanced, over, &errors);
    QStringList lines = OutcomeTable::lines(table);
    if (const auto weights = OutcomeTable::weightsOf(advanced))
        lines << OutcomeTable::chanceLines(OutcomeTable::chances(errors, *weights));
    for (const QString& line : lines)
        printLine(line);
    return ExitOk;
}

int runLive(QStringList arguments)
{
    takeAppFolder(arguments);
    if (arguments.size() != 2) {
        printError(usageOf(QStringLiteral("live")));
        return ExitUsage;
    }
    const QByteArray results = arguments.at(1).toUpper().toLatin1();
    if (arguments.at(1).size() != ColumnBuffer::Width || !LiveResults::isResults(results)) {
        printError(QStringLiteral("I Risultati '%1' non sono validi: servono 13 segni tra 1, X, 2 "
                                  "e - !")
                       .arg(arguments.at(1)));
        return ExitBadInput;
    }
    SystemDocument document;
    if (!loadPlayable(arguments.first(), document))
        return ExitBadInput;
    const LiveResults::Standing standing =
        LiveResults::evaluate(OutcomeTable::playedColumns(document), results);
    printLine(QStringLiteral("Punti %1").arg(standing.best));
    for (int points = 13; points >= 10; --points)
        printLine(QStringLiteral("%1 %2 %3")
                      .arg(points)
                      .arg(standing.sure[static_cast<std::size_t>(points)])
                      .arg(standing.possible[static_cast<std::size_t>(points)]));
    return ExitOk;
}

int runBacktest(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    const QString usage = usageOf(QStringLiteral("backtest"));
    using ArchiveStatistics::Interval;
    Interval interval = Interval::All;
    QString season, last;
    int intervals = 0;
    for (const QString& option : {QStringLiteral("--season"), QStringLiteral("--last")}) {
        const qsizetype at = arguments.indexOf(option);
        if (at < 0)
            continue;
        if (at + 1 >= arguments.size()) {
            printError(QStringLiteral("Manca il valore di ") + option + QLatin1Char('.'));
            return ExitUsage;
        }
        ++intervals;
        (option == QLatin1String("--season") ? season : last) = arguments.at(at + 1);
        interval = option == QLatin1String("--season") ? Interval::Season : Interval::Last;
        arguments.remove(at, 2);
    }
    intervals += int(arguments.removeAll(QStringLiteral("--all")));
    if (intervals > 1) {
        printError(QStringLiteral("Indicare un solo intervallo: --all, --season o --last."));
        return ExitUsage;
    }
    if (arguments.size() != 1) {
        printError(usage);
        return ExitUsage;
    }
    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.first(), path) ||
        !loadSystem(path, document, {.conditionsRequired = true, .columns = false}))
        return ExitBadInput;
    const QString file = ColumnDatabase::filePath(appFolder, ColumnDatabase::Database::Archive);
    if (!QFileInfo(file).isFile()) {
        printError(QStringLiteral("Archivio non trovato: ") + QDir::toNativeSeparators(file));
        return ExitBadInput;
    }
    ArchiveStore store(appFolder);
    QString error;
    QList<ArchiveRecord> records;
    bool done = store.open(&error, ArchiveStore::Access::ReadOnly);
    if (done) {
        QSqlDatabase database = store.database();
        done = ConditionBacktest::selectRecords(database, interval, season, last, records, &error);
    }
    if (!done) {
        printError(error);
        return ExitBadInput;
    }
    const ConditionRules rules(document.Conditions, document.EnableFlags, document.Advanced);
    for (const QString& line :
         ConditionBacktest::lines(ConditionBacktest::run(records, rules), rules))
        printLine(line);
    return ExitOk;
}

} // namespace Cli
