#include "archive/ArchiveStore.h"

#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <sqlite3.h>

const char* ArchiveStore::OrderedSelect =
    "SELECT rowid, * FROM ColonneVincenti ORDER BY Anno, Conc";

namespace {

using ColumnDatabase::Database;

QString fieldList()
{
    return ColumnDatabase::winningFieldNames().join(QStringLiteral(", "));
}

QString reasonOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_READONLY:
        return QStringLiteral("il file è in sola lettura");
    case SQLITE_IOERR:
        return QStringLiteral("errore di lettura o scrittura sul disco");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("il file è danneggiato o non è un archivio");
    case SQLITE_FULL:
        return QStringLiteral("disco pieno");
    case SQLITE_CANTOPEN:
        return QStringLiteral("impossibile aprire il file");
    default:
        return {};
    }
}

QString engineError(sqlite3* handle)
{
    return ArchiveStore::errorMessage(
        QString::fromUtf8(sqlite3_db_filename(handle, "main")),
        QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(handle)), QSqlError::StatementError,
                  QString::number(sqlite3_extended_errcode(handle))));
}

sqlite3* handleOf(const QSqlDatabase& database)
{
    const QVariant handle = database.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// A contest typed as a number is stored as one, so that contests sort 1, 2, ..., 10.
QVariant contestValue(const QString& contest)
{
    bool isNumber = false;
    const int number = contest.trimmed().toInt(&isNumber);
    return isNumber ? QVariant(number) : QVariant(contest);
}

// Binds the 32 fields of a record by position, from the first placeholder on.
void bindRecord(QSqlQuery& query, const ArchiveRecord& record)
{
    for (int field = 0; field < ArchiveRecord::FieldCount; ++field) {
        const QString& text = record.fields[field];
        if (field == ArchiveRecord::Conc)
            query.addBindValue(contestValue(text));
        else if (field >= ArchiveRecord::FirstMeasure)
            query.addBindValue(text.toInt());
        else
            query.addBindValue(text);
    }
}

QString insertStatement()
{
    QString placeholders = QStringLiteral("?, ").repeated(ArchiveRecord::FieldCount);
    placeholders.chop(2);
    return QStringLiteral("INSERT INTO ColonneVincenti (%1) VALUES (%2)")
        .arg(fieldList(), placeholders);
}

const QString& lookupStatement()
{
    static const QString Lookup = QStringLiteral(
        "SELECT rowid FROM ColonneVincenti WHERE Anno = ? AND Conc = ? ORDER BY rowid LIMIT 1");
    return Lookup;
}

ArchiveRecord recordOf(const QSqlQuery& query)
{
    ArchiveRecord record;
    record.id = query.value(0).toLongLong();
    for (int field = 0; field < ArchiveRecord::FieldCount; ++field)
        record.fields[field] = query.value(field + 1).toString();
    return record;
}

} // namespace

QString ArchiveStore::errorMessage(const QString& path, const QSqlError& error)
{
    const QString file = QDir::toNativeSeparators(path);
    const int code = error.nativeErrorCode().toInt();
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED)
        return QStringLiteral("L'Archivio Colonne Vincenti '%1' è in uso da un altro programma.")
            .arg(file);
    // The driver's words when the engine has none, so that a reason always survives.
    QString engine = error.databaseText().trimmed();
    if (engine.isEmpty())
        engine = error.driverText().trimmed();
    QString reason = reasonOf(code);
    if (reason.isEmpty())
        reason = engine.isEmpty() ? QStringLiteral("errore sconosciuto") : engine;
    else if (!engine.isEmpty())
        reason += QStringLiteral(" (") + engine + QLatin1Char(')');
    return QStringLiteral("Errore sull'Archivio Colonne Vincenti '%1': %2").arg(file, reason);
}

bool ArchiveStore::isFileError(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED || !reasonOf(code).isEmpty();
}

void ArchiveStore::setError(QString* error, const QSqlError& sqlError) const
{
    if (error)
        *error = errorMessage(ColumnDatabase::filePath(m_appFolder, Database::Archive), sqlError);
}

ArchiveStore::ArchiveStore(const QString& appFolder)
    : m_appFolder(appFolder)
{
    static QAtomicInt serial;
    m_connection = QStringLiteral("archive-%1").arg(serial.fetchAndAddRelaxed(1));
}

ArchiveStore::~ArchiveStore()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool ArchiveStore::open(QString* error, Access access)
{
    if (isOpen())
        return true;
    const QString path = ColumnDatabase::filePath(m_appFolder, Database::Archive);
    // An existing file is only read here: its layout is checked below, in the store's words.
    const QFileInfo file(path);
    if ((!file.exists() || file.size() == 0) &&
        !ColumnDatabase::ensureDatabase(m_appFolder, Database::Archive, error))
        return false;
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    database.setDatabaseName(path);
    // Another program may be writing the archive for a moment.
    database.setConnectOptions(
        access == Access::ReadOnly
            ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
            : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    auto refuse = qScopeGuard([this, &database] {
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    });
    if (!database.open()) {
        setError(error, database.lastError());
        return false;
    }
    if (!checkLayout(error))
        return false;
    refuse.dismiss();
    // A file the engine could only open for reading (read-only media) is read as it is.
    sqlite3* handle = handleOf(database);
    if (access == Access::ReadOnly || (handle && sqlite3_db_readonly(handle, "main") == 1))
        return true;
    // An archive made when contests were stored as text is rebuilt once with numeric contests.
    QSqlQuery info(database);
    const bool textContests =
        info.exec(QStringLiteral("SELECT type FROM pragma_table_info('ColonneVincenti') "
                                 "WHERE name = 'Conc'")) &&
        info.next() &&
        info.value(0).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) != 0;
    info.finish();
    if (textContests) {
        const QString create =
            ColumnDatabase::createStatement(Database::Archive)
                .replace(QLatin1String("ColonneVincenti ("), QLatin1String("ColonneNuove ("));
        const bool rebuilt =
            database.transaction() && execute(create, error) &&
            execute(QStringLiteral("INSERT INTO ColonneNuove SELECT * FROM ColonneVincenti"),
                    error) &&
            execute(QStringLiteral("DROP TABLE ColonneVincenti"), error) &&
            execute(QStringLiteral("ALTER TABLE ColonneNuove RENAME TO ColonneVincenti"), error) &&
            database.commit();
        if (!rebuilt) {
            database.rollback();
            return false;
        }
    }
    // Imports look every contest up, and the browser reads in this order.
    if (!execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ConcorsiInOrdine ON ColonneVincenti "
                                "(Anno, Conc)"),
                 error))
        return false;
    return true;
}

// The fields are read by position, so a table of another layout would be read wrongly; and a
// damaged page found now is reported before anything is listed, exported or printed.
bool ArchiveStore::checkLayout(QString* error) const
{
    const QString file =
        QDir::toNativeSeparators(ColumnDatabase::filePath(m_appFolder, Database::Archive));
    QSqlQuery query(database());
    query.setForwardOnly(true);
    QStringList fields;
    if (!query.exec(QStringLiteral("SELECT name FROM pragma_table_info('ColonneVincenti')"))) {
        setError(error, query.lastError());
        return false;
    }
    while (query.next())
        fields << query.value(0).toString();
    if (query.lastError().isValid()) {
        setError(error, query.lastError());
        return false;
    }
    const QStringList& expected = ColumnDatabase::winningFieldNames();
    bool same = fields.size() == expected.size();
    for (qsizetype k = 0; same && k < fields.size(); ++k)
        same = fields[k].compare(expected[k], Qt::CaseInsensitive) == 0;
    if (!same) {
        if (error)
            *error = QStringLiteral("Il file '%1' non è un Archivio Colonne Vincenti: la tabella "
                                    "ColonneVincenti non ha i 32 campi previsti.")
                         .arg(file);
        return false;
    }
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()) {
        setError(error, query.lastError());
        return false;
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        if (error)
            *error = QStringLiteral("Errore sull'Archivio Colonne Vincenti '%1': il file è "
                                    "danneggiato (%2)")
                         .arg(file, query.value(0).toString());
        return false;
    }
    return true;
}

bool ArchiveStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && database().isOpen();
}

QSqlDatabase ArchiveStore::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool ArchiveStore::execute(const QString& sql, QString* error) const
{
    QSqlQuery query(database());
    if (query.exec(sql))
        return true;
    setError(error, query.lastError());
    return false;
}

int ArchiveStore::count(QString* error) const
{
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ColonneVincenti")) || !query.next()) {
        setError(error, query.lastError());
        return -1;
    }
    return query.value(0).toInt();
}

bool ArchiveStore::load(QList<ArchiveRecord>& records, QString* error) const
{
    return loadSeason({}, records, error);
}

bool ArchiveStore::loadSeason(const QString& season, QList<ArchiveRecord>& records,
                              QString* error) const
{
    QList<ArchiveRecord> read;
    if (!forEach(
            season,
            [&read](const ArchiveRecord& record) {
                read.append(record);
                return true;
            },
            error))
        return false;
    records = std::move(read);
    return true;
}

bool ArchiveStore::forEach(const QString& season,
                           const std::function<bool(const ArchiveRecord&)>& visit,
                           QString* error) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    QString sql = QString::fromLatin1(OrderedSelect);
    if (!season.isEmpty())
        sql.replace(QLatin1String(" ORDER BY"), QLatin1String(" WHERE Anno = ? ORDER BY"));
    if (!query.prepare(sql)) {
        setError(error, query.lastError());
        return false;
    }
    if (!season.isEmpty())
        query.addBindValue(season);
    if (!query.exec()) {
        setError(error, query.lastError());
        return false;
    }
    while (query.next()) {
        if (!visit(recordOf(query)))
            return false;
    }
    // The loop also ends on a page the engine cannot read: that is no end of the archive.
    if (query.lastError().isValid()) {
        setError(error, query.lastError());
        return false;
    }
    return true;
}

bool ArchiveStore::add(const ArchiveRecord::TypedFields& typed, qint64* id, QString* error)
{
    QSqlQuery query(database());
    query.prepare(insertStatement());
    bindRecord(query, ArchiveRecord::fromTyped(typed));
    if (!query.exec()) {
        setError(error, query.lastError());
        return false;
    }
    if (id)
        *id = query.lastInsertId().toLongLong();
    return true;
}

bool ArchiveStore::modify(qint64 id, const ArchiveRecord::TypedFields& typed, QString* error)
{
    QStringList assignments;
    for (const QString& name : ColumnDatabase::winningFieldNames())
        assignments << name + QStringLiteral(" = ?");
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE ColonneVincenti SET %1 WHERE rowid = ?")
                      .arg(assignments.join(QStringLiteral(", "))));
    bindRecord(query, ArchiveRecord::fromTyped(typed));
    query.addBindValue(id);
    if (!query.exec()) {
        setError(error, query.lastError());
        return false;
    }
    return true;
}

bool ArchiveStore::remove(qint64 id, QString* error)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("DELETE FROM ColonneVincenti WHERE rowid = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        setError(error, query.lastError());
        return false;
    }
    return true;
}

qint64 ArchiveStore::find(const QString& season, const QString& contest, QString* error) const
{
    QSqlQuery query(database());
    query.prepare(lookupStatement());
    query.addBindValue(season);
    query.addBindValue(contestValue(contest));
    if (!query.exec()) {
        setError(error, query.lastError());
        return -1;
    }
    return query.next() ? query.value(0).toLongLong() : 0;
}

// Thousands of rows are rewritten here, so the statements go straight to the engine instead of
// through a query object per row.
bool ArchiveStore::recomputeAll(QString* error, ProgressReporter* progress)
{
    QSqlDatabase db = database();
    sqlite3* handle = handleOf(db);
    if (!handle)
        return false;
    // The count's own error is the reason; the connection has none to add.
    const int total = count(error);
    if (total < 0)
        return false;
    if (!db.transaction()) {
        setError(error, db.lastError());
        return false;
    }
    auto rollback = qScopeGuard([&db] { db.rollback(); });
    const auto engineFailed = [handle, error] {
        if (error)
            *error = engineError(handle);
        return false;
    };
    const QStringList& names = ColumnDatabase::winningFieldNames();
    QStringList assignments;
    for (int field = ArchiveRecord::Comp; field < ArchiveRecord::FieldCount; ++field)
        assignments << names[field] + QStringLiteral(" = ?");
    const QByteArray update = QStringLiteral("UPDATE ColonneVincenti SET %1 WHERE rowid = ?")
                                  .arg(assignments.join(QStringLiteral(", ")))
                                  .toLatin1();
    const QByteArray select =
        QStringLiteral("SELECT rowid, %1 FROM ColonneVincenti")
            .arg(names.mid(ArchiveRecord::FirstSign, 13).join(QStringLiteral(", ")))
            .toLatin1();
    sqlite3_stmt* reader = nullptr;
    sqlite3_stmt* writer = nullptr;
    const auto finalize = qScopeGuard([&] {
        sqlite3_finalize(reader);
        sqlite3_finalize(writer);
    });
    if (sqlite3_prepare_v2(handle, select.constData(), -1, &reader, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(handle, update.constData(), -1, &writer, nullptr) != SQLITE_OK)
        return engineFailed();
    if (progress)
        progress->setRange(0, total);
    int done = 0;
    int status;
    while ((status = sqlite3_step(reader)) == SQLITE_ROW) {
        char column[13];
        for (int k = 0; k < 13; ++k) {
            const auto* sign = sqlite3_column_text(reader, k + 1);
            column[k] = sign && sign[0] ? static_cast<char>(sign[0]) : ' ';
        }
        const ArchiveFields::Computed computed = ArchiveFields::compute(QByteArrayView(column, 13));
        sqlite3_bind_text(writer, 1, computed.Comp == QLatin1String("Si") ? "Si" : "No", 2,
                          SQLITE_STATIC);
        for (int k = 0; k < ArchiveRecord::MeasureCount; ++k)
            sqlite3_bind_int(writer, k + 2, computed.measures[k]);
        sqlite3_bind_int64(writer, ArchiveRecord::MeasureCount + 2,
                           sqlite3_column_int64(reader, 0));
        if (sqlite3_step(writer) != SQLITE_DONE)
            return engineFailed();
        sqlite3_reset(writer);
        if (progress && ++done % 256 == 0)
            progress->setValue(done);
    }
    if (status != SQLITE_DONE)
        return engineFailed();
    if (!db.commit()) {
        setError(error, db.lastError());
        return false;
    }
    rollback.dismiss();
    if (progress)
        progress->setValue(0);
    return true;
}

bool ArchiveStore::importRecords(
    const QList<ArchiveRecord::TypedFields>& records,
    const std::function<Duplicate(const ArchiveRecord::TypedFields&)>& onDuplicate,
    ImportCount& counted, QString* error)
{
    QSqlDatabase db = database();
    if (!db.transaction()) {
        setError(error, db.lastError());
        return false;
    }
    auto rollback = qScopeGuard([&db] { db.rollback(); });
    // Thousands of lines go through the same two statements, prepared once.
    QSqlQuery lookup(db);
    QSqlQuery insert(db);
    if (!lookup.prepare(lookupStatement()) || !insert.prepare(insertStatement())) {
        setError(error, lookup.lastError().isValid() ? lookup.lastError() : insert.lastError());
        return false;
    }
    ImportCount done;
    for (const ArchiveRecord::TypedFields& typed : records) {
        lookup.addBindValue(typed[ArchiveRecord::Anno]);
        lookup.addBindValue(contestValue(typed[ArchiveRecord::Conc]));
        if (!lookup.exec()) {
            setError(error, lookup.lastError());
            return false;
        }
        const qint64 existing = lookup.next() ? lookup.value(0).toLongLong() : 0;
        lookup.finish();
        if (existing > 0) {
            switch (onDuplicate(typed)) {
            case Duplicate::Cancel:
                if (error)
                    error->clear();
                return false;
            case Duplicate::Skip:
                ++done.skipped;
                continue;
            case Duplicate::Replace:
                if (!modify(existing, typed, error))
                    return false;
                ++done.replaced;
                continue;
            }
        }
        bindRecord(insert, ArchiveRecord::fromTyped(typed));
        if (!insert.exec()) {
            setError(error, insert.lastError());
            return false;
        }
        ++done.added;
    }
    if (!db.commit()) {
        setError(error, db.lastError());
        return false;
    }
    rollback.dismiss();
    counted = done;
    return true;
}
