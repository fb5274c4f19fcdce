#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"

#include "archive/ArchivePrintout.h"
#include "archive/ArchiveStatistics.h"
#include "archive/ArchiveStore.h"
#include "document/Options.h"
#include "platform/ColumnDatabase.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>

#include <functional>
#include <optional>

namespace Cli {

namespace {

using namespace ArchiveStatistics;

std::optional<int> measureOf(const QString& field)
{
    const auto measures = measureTable();
    for (std::size_t k = 0; k < measures.size(); ++k)
        if (field.compare(QLatin1String(measures[k].field), Qt::CaseInsensitive) == 0)
            return int(k);
    return std::nullopt;
}

bool seriesOf(const QString& list, Choice& choice)
{
    choice.series.fill(false);
    const auto series = ArchiveFields::seriesTable();
    for (const QString& code : list.split(QLatin1Char(','))) {
        std::size_t k = 0;
        while (k < series.size() && code.trimmed() != QLatin1String(series[k].code))
            ++k;
        if (k == series.size())
            return false;
        choice.series[k] = true;
    }
    return true;
}

// The choices of the command line over the search window's initial state; the reason on stderr
// when they make no sense.
bool choiceOf(QStringList arguments, const Options& options, Choice& choice)
{
    if (arguments.isEmpty()) {
        printError(usageOf(QStringLiteral("stats")));
        return false;
    }
    const auto measure = measureOf(arguments.takeFirst());
    if (!measure) {
        printError(QStringLiteral("Misura sconosciuta.\n") + usageOf(QStringLiteral("stats")));
        return false;
    }
    choice.measure = *measure;
    const QString last = options[Options::StatsLastColumns].trimmed();
    choice.last = last.isEmpty() ? QStringLiteral("30") : last;
    int intervals = 0;
    while (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        const bool valued = option == QLatin1String("--season") ||
                            option == QLatin1String("--last") ||
                            option == QLatin1String("--series");
        if (valued && arguments.isEmpty()) {
            printError(QStringLiteral("Manca il valore di ") + option + QLatin1Char('.'));
            return false;
        }
        if (option == QLatin1String("--all")) {
            choice.interval = Interval::All;
            ++intervals;
        } else if (option == QLatin1String("--season")) {
            choice.interval = Interval::Season;
            choice.season = arguments.takeFirst();
            ++intervals;
            if (!ArchiveFields::isSeason(choice.season)) {
                printError(QStringLiteral("Stagione non valida: scrivere AAAA-AAAA con due anni "
                                          "consecutivi."));
                return false;
            }
        } else if (option == QLatin1String("--last")) {
            choice.interval = Interval::Last;
            choice.last = arguments.takeFirst();
            ++intervals;
        } else if (option == QLatin1String("--incomplete")) {
            choice.completeOnly = false;
        } else if (option == QLatin1String("--post")) {
            choice.postOnly = true;
        } else if (option == QLatin1String("--series")) {
            if (!seriesOf(arguments.takeFirst(), choice)) {
                printError(QStringLiteral("Serie sconosciuta: usare A__, ABC, BOC, VAR, IND."));
                return false;
            }
        } else {
            printError(usageOf(QStringLiteral("stats")));
            return false;
        }
    }
    if (intervals > 1) {
        printError(QStringLiteral("Indicare un solo intervallo: --all, --season o --last."));
        return false;
    }
    if (choice.interval == Interval::Last && latestCount(choice) == 0) {
        printError(QStringLiteral("Numero di Colonne non valido: ") + choice.last);
        return false;
    }
    return true;
}

// Runs `work` on the archive opened for reading only. False, with the reason on stderr, when the
// archive is missing, cannot be opened or `work` fails.
bool withArchive(const QString& appFolder, const std::function<bool(QSqlDatabase&, QString*)>& work)
{
    const QString path = ColumnDatabase::filePath(appFolder, ColumnDatabase::Database::Archive);
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("Archivio non trovato: ") + QDir::toNativeSeparators(path));
        return false;
    }
    ArchiveStore store(appFolder);
    QString error;
    bool done = store.open(&error, ArchiveStore::Access::ReadOnly);
    if (done) {
        QSqlDatabase database = store.database();
        done = work(database, &error);
    }
    if (!done)
        printError(error);
    return done;
}

} // namespace

int runStats(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    Options options;
    options.read(QDir(appFolder).filePath(Options::fileName()), QString());
    Choice choice;
    if (!choiceOf(arguments, options, choice))
        return ExitBadInput;
    if (!anySeries(choice)) {
        printError(QStringLiteral("Selezionare almeno una casella Serie !"));
        return ExitBadInput;
    }
    Result result;
    const bool found = withArchive(appFolder, [&](QSqlDatabase& database, QString* error) {
        QString filter;
        return Search(database, choice, result, filter, error);
    });
    if (!found)
        return ExitBadInput;
    for (const Row& row : result.rows)
        printLine(row.value + QLatin1Char(' ') + QString::number(row.count) + QLatin1Char(' ') +
                  PercentText(row.count, result.total).trimmed());
    printLine(QStringLiteral("Totale ") + QString::number(result.total));
    return ExitOk;
}

} // namespace Cli

namespace Cli {

int printArchive(const QString& appFolder, const QString& pdfPath)
{
    const QString path = ColumnDatabase::filePath(appFolder, ColumnDatabase::Database::Archive);
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("Archivio non trovato: ") + QDir::toNativeSeparators(path));
        return ExitBadInput;
    }
    // The whole archive in season and contest order, as the browser shows it.
    QList<ArchiveRecord> records;
    ArchiveStore store(appFolder);
    QString error;
    if (!(store.open(&error, ArchiveStore::Access::ReadOnly) && store.load(records, &error))) {
        printError(error);
        return ExitBadInput;
    }
    return printToPdf(pdfPath, QStringLiteral("Archivio Colonne Vincenti"),
                      [&records](PrintSurface& surface, ProgressReporter& progress) {
                          ArchivePrintout::PrintArchive(surface, records, progress);
                      });
}

} // namespace Cli
