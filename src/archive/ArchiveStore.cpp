#include "archive/ArchiveStore.h"

#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"

#include <QAtomicInt>
#include <QDir>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

const char* ArchiveStore::OrderedSelect =
    "SELECT rowid, * FROM ColonneVincenti ORDER BY Anno, Conc";

namespace {

using ColumnDatabase::Database;

QString fieldList()
{
    return ColumnDatabase::winningFieldNames().join(QStringLiteral(", "));
}

QString databaseError(const QSqlError& error)
{
    return QStringLiteral("Errore sull'Archivio Colonne Vincenti: %1").arg(error.text());
}

void setError(QString* error, const QSqlError& sqlError)
{
    if (error)
        *error = databaseError(sqlError);
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

ArchiveRecord recordOf(const QSqlQuery& query)
{
    ArchiveRecord record;
    record.id = query.value(0).toLongLong();
    for (int field = 0; field < ArchiveRecord::FieldCount; ++field)
        record.fields[field] = query.value(field + 1).toString();
    return record;
}

} // namespace

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

bool ArchiveStore::open(QString* error)
{
    if (isOpen())
        return true;
    if (!ColumnDatabase::ensureDatabase(m_appFolder, Database::Archive, error))
        return false;
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    database.setDatabaseName(ColumnDatabase::filePath(m_appFolder, Database::Archive));
    // Another program may be writing the archive for a moment.
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!database.open()) {
        setError(error, database.lastError());
        return false;
    }
    // An archive made when contests were stored as text is rebuilt once with numeric contests.
    QSqlQuery info(database);
    if (info.exec(QStringLiteral("SELECT type FROM pragma_table_info('ColonneVincenti') "
                                 "WHERE name = 'Conc'")) &&
        info.next() &&
        info.value(0).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive)) {
        info.finish();
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
    QList<ArchiveRecord> read;
    while (query.next())
        read.append(recordOf(query));
    records = std::move(read);
    return true;
}

bool ArchiveStore::add(const ArchiveRecord::TypedFields& typed, qint64* id, QString* error)
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    QString placeholders = QStringLiteral("?, ").repeated(ArchiveRecord::FieldCount);
    placeholders.chop(2);
    query.prepare(QStringLiteral("INSERT INTO ColonneVincenti (%1) VALUES (%2)")
                      .arg(fieldList(), placeholders));
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
    query.prepare(QStringLiteral(
        "SELECT rowid FROM ColonneVincenti WHERE Anno = ? AND Conc = ? ORDER BY rowid LIMIT 1"));
    query.addBindValue(season);
    query.addBindValue(contestValue(contest));
    if (!query.exec()) {
        setError(error, query.lastError());
        return -1;
    }
    return query.next() ? query.value(0).toLongLong() : 0;
}

bool ArchiveStore::recomputeAll(QString* error, ProgressReporter* progress)
{
    QList<ArchiveRecord> records;
    if (!load(records, error))
        return false;
    QSqlDatabase db = database();
    if (!db.transaction()) {
        setError(error, db.lastError());
        return false;
    }
    auto rollback = qScopeGuard([&db] { db.rollback(); });
    QStringList assignments;
    const QStringList& names = ColumnDatabase::winningFieldNames();
    for (int field = ArchiveRecord::Comp; field < ArchiveRecord::FieldCount; ++field)
        assignments << names[field] + QStringLiteral(" = ?");
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE ColonneVincenti SET %1 WHERE rowid = ?")
                      .arg(assignments.join(QStringLiteral(", "))));
    if (progress)
        progress->setRange(0, static_cast<int>(records.size()));
    for (qsizetype k = 0; k < records.size(); ++k) {
        const ArchiveFields::Computed computed = ArchiveFields::compute(records[k].column());
        query.addBindValue(computed.Comp);
        for (const int measure : computed.measures)
            query.addBindValue(measure);
        query.addBindValue(records[k].id);
        if (!query.exec()) {
            setError(error, query.lastError());
            return false;
        }
        if (progress && k % 256 == 0)
            progress->setValue(static_cast<int>(k));
    }
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
    ImportCount done;
    for (const ArchiveRecord::TypedFields& typed : records) {
        const qint64 existing = find(typed[ArchiveRecord::Anno], typed[ArchiveRecord::Conc], error);
        if (existing < 0)
            return false;
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
        if (!add(typed, nullptr, error))
            return false;
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
