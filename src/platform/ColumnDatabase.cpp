#include "platform/ColumnDatabase.h"

#include "platform/FileLock.h"
#include "platform/SafeFile.h"
#include "platform/TableFile.h"
#include "platform/WriteFaults.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace ColumnDatabase {

namespace {

struct DatabaseInfo {
    const char* file;
    const char* compactionFile;
    const char* table;
    const char* createSql;
};

constexpr const char* CreateColumns = "CREATE TABLE IF NOT EXISTS Colonne (Col TEXT)";
constexpr const char* CreateMerged =
    "CREATE TABLE IF NOT EXISTS Colonne (C1 TEXT, C2 TEXT, C3 TEXT, C4 TEXT, C5 TEXT, C6 TEXT, "
    "C7 TEXT, C8 TEXT, C9 TEXT, C10 TEXT, C11 TEXT, C12 TEXT, C13 TEXT)";
constexpr const char* CreateWinning =
    "CREATE TABLE IF NOT EXISTS ColonneVincenti (Anno TEXT, Conc INTEGER, P1 TEXT, P2 TEXT, "
    "P3 TEXT, P4 TEXT, P5 TEXT, P6 TEXT, P7 TEXT, P8 TEXT, P9 TEXT, P10 TEXT, P11 TEXT, "
    "P12 TEXT, P13 TEXT, Serie TEXT, Post TEXT, Comp TEXT, S1 INTEGER, SX INTEGER, S2 INTEGER, "
    "SC1 INTEGER, SCX INTEGER, SC2 INTEGER, IG INTEGER, IC INTEGER, SG INTEGER, SC INTEGER, "
    "PG INTEGER, PC INTEGER, FG INTEGER, FC INTEGER)";

const DatabaseInfo& infoOf(Database database)
{
    static const std::array<DatabaseInfo, 4> Infos = {{
        {"ColVin13.mdb", "ColVinTEMP.mdb", "ColonneVincenti", CreateWinning},
        {"Export.mdb", "ExportTEMP.mdb", "ColonneVincenti", CreateWinning},
        {"Ridotto.mdb", "RidottoTEMP.mdb", "Colonne", CreateColumns},
        {"Accorpa.mdb", "AccorpaTEMP.mdb", "Colonne", CreateMerged},
    }};
    return Infos[static_cast<std::size_t>(database)];
}

void setPathError(QString* error, const QString& path, const QString& reason)
{
    if (error) {
        *error = QStringLiteral("Errore sul Database '%1': %2")
                     .arg(QDir::toNativeSeparators(path), reason);
    }
}

// Statements and their bound texts are ours; the connection itself comes from Qt's driver, so
// the rest of the program can reach the same files through Qt SQL.
class Statement final {
    Q_DISABLE_COPY_MOVE(Statement)
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_statement); }
    bool prepare(sqlite3* handle, QByteArrayView sql)
    {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        return sqlite3_prepare_v2(handle, sql.data(), static_cast<int>(sql.size()), &m_statement,
                                  nullptr) == SQLITE_OK;
    }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;
};

class Connection final {
    Q_DISABLE_COPY_MOVE(Connection)
public:
    explicit Connection(const QString& path)
        : m_path(path)
        , m_name(QStringLiteral("quadrigo13-columns-%1").arg(++s_counter))
    {}

    ~Connection()
    {
        {
            QSqlDatabase database = QSqlDatabase::database(m_name, false);
            database.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    bool open(QString* error)
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(m_path);
        if (!database.open()) {
            setError(error, database.lastError().text());
            return false;
        }
        const QVariant handle = database.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
            setError(error, QStringLiteral("driver SQLite non disponibile"));
            return false;
        }
        m_handle = *static_cast<sqlite3* const*>(handle.constData());
        return m_handle != nullptr;
    }

    sqlite3* handle() const { return m_handle; }

    bool exec(const char* sql, QString* error)
    {
        if (sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
            return true;
        setError(error, lastError());
        return false;
    }

    QString lastError() const
    {
        switch (sqlite3_errcode(m_handle) & 0xff) {
        case SQLITE_FULL:
            return SafeFile::reason(ENOSPC);
        case SQLITE_IOERR:
            return SafeFile::reason(sqlite3_system_errno(m_handle) ? sqlite3_system_errno(m_handle)
                                                                   : EIO);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("in uso da un altro programma");
        default:
            return QString::fromUtf8(sqlite3_errmsg(m_handle));
        }
    }

    void setError(QString* error, const QString& reason) const
    {
        setPathError(error, m_path, reason);
    }

private:
    static inline std::atomic<quint64> s_counter = 0;
    QString m_path;
    QString m_name;
    sqlite3* m_handle = nullptr;
};

bool openWithTable(Connection& connection, Database database, QString* error)
{
    return connection.open(error) && connection.exec(infoOf(database).createSql, error);
}

// No system has more columns than the full integral one.
constexpr qsizetype MaxColumns = 1594323;

// Statements of many rows at once: the per-statement cost of SQLite is paid once per block.
constexpr int RowsPerStatement = 64;

QByteArray insertSql(const char* table, int fieldCount, int rows)
{
    QByteArray one = "(?";
    for (int f = 1; f < fieldCount; ++f)
        one += ",?";
    one += ')';
    QByteArray sql = QByteArray("INSERT INTO ") + table + " VALUES " + one;
    for (int r = 1; r < rows; ++r)
        sql += ',' + one;
    return sql;
}

// Replaces the rows of the table in the file at `path` with `count` new ones; the delete-all and
// the new rows commit together or not at all. `bind(statement, firstParameter, row)` binds the
// fields of one row.
template <typename Bind>
bool insertRows(const QString& path, Database database, int fieldCount, qsizetype count, Bind bind,
                QString* error)
{
    const DatabaseInfo& info = infoOf(database);
    Connection connection(path);
    if (!connection.open(error))
        return false;
    if (!connection.exec(info.createSql, error) || !connection.exec("BEGIN IMMEDIATE", error))
        return false;
    int faulted = 0;
    const auto fail = [&] {
        connection.setError(error, faulted ? SafeFile::reason(faulted) : connection.lastError());
        connection.exec("ROLLBACK", nullptr);
        return false;
    };
    if (!connection.exec((QByteArray("DELETE FROM ") + info.table).constData(), nullptr))
        return fail();
    Statement block, tail;
    const qsizetype blocks = count / RowsPerStatement;
    const int tailRows = static_cast<int>(count % RowsPerStatement);
    if (blocks > 0 &&
        !block.prepare(connection.handle(), insertSql(info.table, fieldCount, RowsPerStatement)))
        return fail();
    if (tailRows > 0 &&
        !tail.prepare(connection.handle(), insertSql(info.table, fieldCount, tailRows)))
        return fail();
    qsizetype row = 0;
    const auto run = [&](sqlite3_stmt* statement, int rows) {
        // A block of rows is where the engine writes, so that is where tests fail the disk.
        if ((faulted = WriteFaults::check(WriteFaults::Step::Write)) != 0)
            return false;
        for (int r = 0; r < rows; ++r, ++row)
            bind(statement, r * fieldCount + 1, row);
        const bool done = sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
        return done;
    };
    for (qsizetype b = 0; b < blocks; ++b) {
        if (!run(block.get(), RowsPerStatement))
            return fail();
    }
    if (tailRows > 0 && !run(tail.get(), tailRows))
        return fail();
    if (!connection.exec("COMMIT", nullptr))
        return fail();
    return true;
}

// Held while a database is replaced or compacted, so that two programs never write one file at
// the same time: the lock is taken on the name the new content is built under.
FileLock::Result lockForWriting(FileLock& lock, const QString& appFolder, Database database,
                                QString* error)
{
    const QString fresh = filePath(appFolder, database) + QStringLiteral(".new");
    const FileLock::Result result = lock.tryLockFile(fresh, error);
    if (result == FileLock::Result::Busy && error)
        *error = QStringLiteral("Il database %1 è in uso da un altro programma.")
                     .arg(fileName(database));
    return result;
}

// The archive's table is rewritten in place inside one transaction, since other connections
// may hold the file open.
template <typename Bind>
bool replaceArchiveRows(const QString& appFolder, int fieldCount, qsizetype count, Bind bind,
                        QString* error)
{
    const QString path = filePath(appFolder, Database::Archive);
    FileLock lock;
    if (lockForWriting(lock, appFolder, Database::Archive, error) != FileLock::Result::Locked)
        return false;
    const bool written = insertRows(path, Database::Archive, fieldCount, count, bind, error);
    SafeFile::remove(path + QStringLiteral(".new"));
    return written;
}

// The column tables are only ever used one operation at a time and are rebuilt whole from
// memory, so each is written as a new file, page by page, that then takes the database's place
// like any file the program saves: nothing old is copied to a journal first, a failure leaves
// the old file as it was, and the new file has no free pages for the start-up to compact.
// `row(table, index)` gives the fields of one row.
template <typename Row>
bool replaceTableFile(const QString& appFolder, Database database, qsizetype count, Row row,
                      QString* error)
{
    const QString path = filePath(appFolder, database);
    FileLock lock;
    if (lockForWriting(lock, appFolder, database, error) != FileLock::Result::Locked)
        return false;
    // Built under the locked name, where the start-up finds what a crash left of it.
    SafeFile file(path, path + QStringLiteral(".new"));
    const DatabaseInfo& info = infoOf(database);
    // The schema keeps the statement without its condition, as the engine stores it.
    const QByteArray createSql = QByteArray(info.createSql).replace(" IF NOT EXISTS", "");
    TableFile table(createSql, info.table, [&](QByteArrayView pages) { return file.write(pages); });
    QByteArray firstPage;
    bool built = file.open();
    for (qsizetype index = 0; built && index < count; ++index) {
        row(table, index);
        built = table.endRow();
    }
    built = built && table.finish(firstPage);
    if (built && file.writeAt(0, firstPage) && file.commit())
        return true;
    if (error)
        *error = file.failed() ? file.errorString()
                               : QStringLiteral("Errore sul Database '%1': riga troppo lunga")
                                     .arg(QDir::toNativeSeparators(path));
    return false;
}

// Reads every row in stored order; `take(statement)` reads one row and may refuse it.
// `reserve(rows)` learns beforehand about how many rows follow (the highest row id, found
// without a scan), so a large set is read into one allocation.
template <typename Reserve, typename Take>
bool readRows(const QString& appFolder, Database database, const char* select, Reserve reserve,
              Take take, QString* error)
{
    Connection connection(filePath(appFolder, database));
    if (!openWithTable(connection, database, error))
        return false;
    Statement statement;
    if (statement.prepare(connection.handle(),
                          QByteArray("SELECT max(rowid) FROM ") + infoOf(database).table) &&
        sqlite3_step(statement.get()) == SQLITE_ROW)
        reserve(std::clamp<qsizetype>(sqlite3_column_int64(statement.get(), 0), 0, MaxColumns));
    if (!statement.prepare(connection.handle(), select)) {
        connection.setError(error, connection.lastError());
        return false;
    }
    int status;
    while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
        if (!take(statement.get())) {
            connection.setError(error, QStringLiteral("contenuto non valido"));
            return false;
        }
    }
    if (status != SQLITE_DONE) {
        connection.setError(error, connection.lastError());
        return false;
    }
    return true;
}

QByteArrayView columnText(sqlite3_stmt* statement, int field)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, field));
    return QByteArrayView(text, sqlite3_column_bytes(statement, field));
}

// Whether the free pages of a database are worth giving back: past a quarter of the file. The
// column tables are written as new files and never have any; the archive gets them when a
// rewrite leaves it smaller than it was. Below the threshold the pages wait for later rows.
std::optional<bool> needsCompaction(Connection& connection)
{
    const auto pragma = [&](const char* sql) -> std::optional<qint64> {
        Statement statement;
        if (!statement.prepare(connection.handle(), sql) ||
            sqlite3_step(statement.get()) != SQLITE_ROW)
            return std::nullopt;
        return sqlite3_column_int64(statement.get(), 0);
    };
    const std::optional<qint64> pages = pragma("PRAGMA page_count");
    const std::optional<qint64> free = pragma("PRAGMA freelist_count");
    if (!pages || !free)
        return std::nullopt;
    return *free > 0 && *free * 4 >= *pages;
}

} // namespace

QString fileName(Database database)
{
    return QString::fromLatin1(infoOf(database).file);
}

QString createStatement(Database database)
{
    return QString::fromLatin1(infoOf(database).createSql);
}

QString compactionFileName(Database database)
{
    return QString::fromLatin1(infoOf(database).compactionFile);
}

QString tableName(Database database)
{
    return QString::fromLatin1(infoOf(database).table);
}

QString filePath(const QString& appFolder, Database database)
{
    return QDir(appFolder).filePath(fileName(database));
}

const QStringList& winningFieldNames()
{
    static const QStringList Names = {
        QStringLiteral("Anno"),  QStringLiteral("Conc"), QStringLiteral("P1"),
        QStringLiteral("P2"),    QStringLiteral("P3"),   QStringLiteral("P4"),
        QStringLiteral("P5"),    QStringLiteral("P6"),   QStringLiteral("P7"),
        QStringLiteral("P8"),    QStringLiteral("P9"),   QStringLiteral("P10"),
        QStringLiteral("P11"),   QStringLiteral("P12"),  QStringLiteral("P13"),
        QStringLiteral("Serie"), QStringLiteral("Post"), QStringLiteral("Comp"),
        QStringLiteral("S1"),    QStringLiteral("SX"),   QStringLiteral("S2"),
        QStringLiteral("SC1"),   QStringLiteral("SCX"),  QStringLiteral("SC2"),
        QStringLiteral("IG"),    QStringLiteral("IC"),   QStringLiteral("SG"),
        QStringLiteral("SC"),    QStringLiteral("PG"),   QStringLiteral("PC"),
        QStringLiteral("FG"),    QStringLiteral("FC")};
    return Names;
}

bool ensureDatabase(const QString& appFolder, Database database, QString* error)
{
    Connection connection(filePath(appFolder, database));
    return openWithTable(connection, database, error);
}

bool writeReducedColumns(const QString& appFolder, const ColumnBuffer& columns, QString* error)
{
    return replaceTableFile(
        appFolder, Database::Reduced, columns.count(),
        [&](TableFile& table, qsizetype row) {
            table.text(QByteArrayView(columns.columnData(row), ColumnBuffer::Width));
        },
        error);
}

bool readReducedColumns(const QString& appFolder, ColumnBuffer& columns, QString* error)
{
    ColumnBuffer read;
    const bool ok = readRows(
        appFolder, Database::Reduced, "SELECT Col FROM Colonne ORDER BY rowid",
        [&](qsizetype rows) { read.reserve(rows); },
        [&](sqlite3_stmt* statement) {
            const QByteArrayView column = columnText(statement, 0);
            if (column.size() != ColumnBuffer::Width)
                return false;
            read.append(column);
            return true;
        },
        error);
    if (ok)
        columns = std::move(read);
    return ok;
}

bool writeMergedRows(const QString& appFolder, const MergedColumns& rows, QString* error)
{
    return replaceTableFile(
        appFolder, Database::Merged, rows.count(),
        [&](TableFile& table, qsizetype row) {
            for (int match = 0; match < MergedColumns::Width; ++match) {
                const QLatin1StringView play = rows.play(row, match);
                table.text(QByteArrayView(play.data(), play.size()));
            }
        },
        error);
}

bool readMergedRows(const QString& appFolder, MergedColumns& rows, QString* error)
{
    MergedColumns read;
    const bool ok = readRows(
        appFolder, Database::Merged,
        "SELECT C1, C2, C3, C4, C5, C6, C7, C8, C9, C10, C11, C12, C13 FROM Colonne ORDER BY "
        "rowid",
        [&](qsizetype count) { read.reserve(count); },
        [&](sqlite3_stmt* statement) {
            std::array<char, MergedColumns::Width> masks;
            for (int match = 0; match < MergedColumns::Width; ++match) {
                const quint8 mask = MergedColumns::maskOfPlay(columnText(statement, match));
                if (mask == 0)
                    return false;
                masks[match] = static_cast<char>(mask);
            }
            read.appendMasks(QByteArrayView(masks.data(), masks.size()));
            return true;
        },
        error);
    if (ok)
        rows = std::move(read);
    return ok;
}

bool writeWinningRows(const QString& appFolder, Database database, qsizetype count,
                      const std::function<void(qsizetype, WinningRow&)>& fill, QString* error)
{
    if (database != Database::Archive) {
        return replaceTableFile(
            appFolder, database, count,
            [&](TableFile& table, qsizetype row) {
                WinningRow values;
                fill(row, values);
                for (const QByteArrayView text : values.texts)
                    table.text(text);
                for (const std::optional<int>& measure : values.measures)
                    table.integer(measure);
            },
            error);
    }
    return replaceArchiveRows(
        appFolder, WinningFieldCount, count,
        [&](sqlite3_stmt* statement, int parameter, qsizetype row) {
            WinningRow values;
            fill(row, values);
            for (int f = 0; f < WinningTextFields; ++f) {
                const QByteArrayView text = values.texts[f];
                if (text.isNull())
                    sqlite3_bind_null(statement, parameter + f);
                else
                    sqlite3_bind_text(statement, parameter + f, text.data(),
                                      static_cast<int>(text.size()), SQLITE_STATIC);
            }
            for (int m = 0; m < WinningFieldCount - WinningTextFields; ++m) {
                const int at = parameter + WinningTextFields + m;
                if (values.measures[m])
                    sqlite3_bind_int(statement, at, *values.measures[m]);
                else
                    sqlite3_bind_null(statement, at);
            }
        },
        error);
}

bool readWinningRows(const QString& appFolder, Database database, QList<StoredWinningRow>& rows,
                     QString* error)
{
    QList<StoredWinningRow> read;
    const bool ok = readRows(
        appFolder, database, "SELECT * FROM ColonneVincenti ORDER BY rowid", [](qsizetype) {},
        [&](sqlite3_stmt* statement) {
            if (sqlite3_column_count(statement) != WinningFieldCount)
                return false;
            StoredWinningRow row;
            for (int f = 0; f < WinningTextFields; ++f)
                row.texts[f] = columnText(statement, f).toByteArray();
            for (int m = 0; m < WinningFieldCount - WinningTextFields; ++m) {
                const int at = WinningTextFields + m;
                if (sqlite3_column_type(statement, at) != SQLITE_NULL)
                    row.measures[m] = sqlite3_column_int(statement, at);
            }
            read.append(std::move(row));
            return true;
        },
        error);
    if (ok)
        rows = std::move(read);
    return ok;
}

QStringList compactDatabases(const QString& appFolder)
{
    QStringList problems;
    for (const Database database : AllDatabases) {
        const QString path = filePath(appFolder, database);
        const QString copy = QDir(appFolder).filePath(compactionFileName(database));
        QString error;
        // A database another program is writing is left alone.
        FileLock lock;
        if (lockForWriting(lock, appFolder, database, &error) != FileLock::Result::Locked) {
            problems << error;
            continue;
        }
        // The fresh file of a rewrite cut short by a crash goes, the database is intact; it
        // goes last, while the lock on its name is still held.
        const auto removeFresh =
            qScopeGuard([&] { SafeFile::remove(path + QStringLiteral(".new")); });
        if (QFile::exists(copy)) {
            // A copy left behind by an interrupted compaction: when its database is gone the
            // copy is all that remains of it, otherwise the database itself is intact.
            const bool cleared = QFile::exists(path) ? SafeFile::remove(copy, &error)
                                                     : SafeFile::replace(copy, path, &error);
            if (!cleared) {
                problems << QStringLiteral("Impossibile eliminare la copia temporanea '%1' (%2)")
                                .arg(QDir::toNativeSeparators(copy), error);
                continue;
            }
        }
        bool compacted = false;
        {
            Connection connection(path);
            if (!openWithTable(connection, database, &error)) {
                problems << error;
                continue;
            }
            const std::optional<bool> needed = needsCompaction(connection);
            if (!needed)
                error = connection.lastError();
            else if (!*needed)
                continue;
            Statement vacuum;
            const QByteArray target = copy.toUtf8();
            compacted =
                needed && vacuum.prepare(connection.handle(), "VACUUM INTO ?") &&
                sqlite3_bind_text(vacuum.get(), 1, target.constData(),
                                  static_cast<int>(target.size()), SQLITE_STATIC) == SQLITE_OK &&
                sqlite3_step(vacuum.get()) == SQLITE_DONE;
            if (!compacted && needed)
                error = connection.lastError();
        }
        if (!compacted) {
            problems << QStringLiteral("Impossibile compattare il Database '%1': %2")
                            .arg(fileName(database), error);
            SafeFile::remove(copy);
            continue;
        }
        // The engine does not sync the copy it makes. Renaming over the database replaces it
        // in one step, so there is never a moment without either the old file or its
        // compacted copy under the database's name.
        if (!SafeFile::syncFile(copy, &error) || !SafeFile::replace(copy, path, &error)) {
            problems << QStringLiteral("Impossibile sostituire il Database '%1' con la copia "
                                       "compattata (%2)")
                            .arg(fileName(database), error);
            SafeFile::remove(copy);
        }
    }
    return problems;
}

} // namespace ColumnDatabase
