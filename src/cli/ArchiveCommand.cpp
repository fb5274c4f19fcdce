#include "archive/ArchiveCsv.h"
#include "archive/ArchiveStore.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"
#include "platform/SafeFile.h"

#include <QTextStream>

namespace {

int usage()
{
    Cli::printError(Cli::usageOf(QStringLiteral("archive")));
    return Cli::ExitUsage;
}

int failed(const QString& message)
{
    Cli::printError(message);
    return Cli::ExitBadInput;
}

// Removes "NAME VALUE" from the arguments; `fallback` when it is not there.
QString takeOption(QStringList& arguments, const QString& name, const QString& fallback)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size())
        return fallback;
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
}

bool takeFlag(QStringList& arguments, const QString& name)
{
    return arguments.removeAll(name) > 0;
}

// Anno Conc Colonna Serie Post Comp and the fourteen measures, separated by blanks.
QString listLine(const ArchiveRecord& record)
{
    QStringList fields = {record[ArchiveRecord::Anno], record[ArchiveRecord::Conc],
                          QString::fromLatin1(record.column()), record[ArchiveRecord::Serie],
                          record[ArchiveRecord::Post]};
    for (int field = ArchiveRecord::Comp; field < ArchiveRecord::FieldCount; ++field)
        fields << record[field];
    return fields.join(QLatin1Char(' '));
}

int add(ArchiveStore& store, QStringList arguments)
{
    const QString series = takeOption(arguments, QStringLiteral("--series"), QStringLiteral("ABC"));
    const QString post = takeOption(arguments, QStringLiteral("--post"), QStringLiteral("No"));
    if (arguments.size() != 3)
        return usage();
    ArchiveRecord::TypedFields typed;
    const QString reason = ArchiveCsv::readFields(arguments << series << post, typed);
    if (!reason.isEmpty())
        return failed(QStringLiteral("Colonna vincente rifiutata: ") + reason);
    QString error;
    if (!store.add(typed, nullptr, &error))
        return failed(error);
    Cli::printLine(listLine(ArchiveRecord::fromTyped(typed)));
    return Cli::ExitOk;
}

int remove(ArchiveStore& store, const QStringList& arguments)
{
    if (arguments.size() != 2)
        return usage();
    QString error;
    const qint64 id = store.find(arguments[0], arguments[1], &error);
    if (id < 0)
        return failed(error);
    if (id == 0)
        return failed(QStringLiteral("Il Concorso %1 del %2 non è in archivio.")
                          .arg(arguments[1], arguments[0]));
    if (!store.remove(id, &error))
        return failed(error);
    return Cli::ExitOk;
}

// Streamed as read, so a large archive is never held whole; a read that fails half-way ends
// with the error and a failed status, never as a shorter list.
int list(ArchiveStore& store, QStringList arguments)
{
    const QString season = takeOption(arguments, QStringLiteral("--season"), {});
    if (!arguments.isEmpty())
        return usage();
    QTextStream out(stdout);
    QString error;
    const bool read = store.forEach(
        season,
        [&out](const ArchiveRecord& record) {
            out << listLine(record) << '\n';
            return true;
        },
        &error);
    out.flush();
    if (!read)
        return failed(error);
    return Cli::ExitOk;
}

// All or nothing: a refused line or an unexpected duplicate leaves the archive as it was.
int import(ArchiveStore& store, QStringList arguments)
{
    const bool replace = takeFlag(arguments, QStringLiteral("--replace"));
    const bool skip = takeFlag(arguments, QStringLiteral("--skip"));
    if (arguments.size() != 1 || (replace && skip))
        return usage();
    ArchiveCsv::Parsed parsed;
    QString error;
    if (!ArchiveCsv::readFile(arguments.first(), parsed, &error))
        return failed(error + QStringLiteral(" Nessuna colonna importata."));
    if (parsed.refusedCount > 0) {
        Cli::printError(ArchiveCsv::refusalReport(parsed));
        return failed(QStringLiteral("Nessuna colonna importata."));
    }
    QString duplicate;
    ArchiveStore::ImportCount counted;
    const bool imported = store.importRecords(
        parsed.records,
        [&](const ArchiveRecord::TypedFields& typed) {
            if (replace)
                return ArchiveStore::Duplicate::Replace;
            if (skip)
                return ArchiveStore::Duplicate::Skip;
            duplicate = QStringLiteral("Il Concorso %1 del %2 è già in archivio: usare --replace "
                                       "o --skip. Nessuna colonna importata.")
                            .arg(typed[ArchiveRecord::Conc], typed[ArchiveRecord::Anno]);
            return ArchiveStore::Duplicate::Cancel;
        },
        counted, &error);
    if (!imported)
        return failed(duplicate.isEmpty() ? error : duplicate);
    Cli::printLine(QStringLiteral("Colonne importate: %1, sostituite: %2, saltate: %3")
                       .arg(counted.added)
                       .arg(counted.replaced)
                       .arg(counted.skipped));
    return Cli::ExitOk;
}

int exportTo(ArchiveStore& store, const QStringList& arguments)
{
    if (arguments.size() != 1)
        return usage();
    qsizetype written = 0;
    QString error;
    if (!ArchiveCsv::exportArchive(store, arguments.first(), written, &error))
        return failed(error);
    return Cli::ExitOk;
}

} // namespace

namespace Cli {

int runArchive(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    if (arguments.isEmpty())
        return usage();
    const QString action = arguments.takeFirst();
    if (!prepareAppFolder(appFolder))
        return ExitBadInput;
    ArchiveStore store(appFolder);
    // Reading never writes, so an archive on read-only media can be listed and exported.
    const bool reading = action == QLatin1String("list") || action == QLatin1String("export");
    QString error;
    if (!store.open(&error,
                    reading ? ArchiveStore::Access::ReadOnly : ArchiveStore::Access::ReadWrite))
        return failed(error);
    if (action == QLatin1String("add"))
        return add(store, arguments);
    if (action == QLatin1String("delete"))
        return remove(store, arguments);
    if (action == QLatin1String("list"))
        return list(store, arguments);
    if (action == QLatin1String("import"))
        return import(store, arguments);
    if (action == QLatin1String("export"))
        return exportTo(store, arguments);
    if (action == QLatin1String("recompute")) {
        if (!arguments.isEmpty())
            return usage();
        if (!store.recomputeAll(&error))
            return failed(error);
        const int count = store.count(&error);
        if (count < 0)
            return failed(error);
        Cli::printLine(QStringLiteral("Colonne aggiornate: %1").arg(count));
        return ExitOk;
    }
    return usage();
}

} // namespace Cli
