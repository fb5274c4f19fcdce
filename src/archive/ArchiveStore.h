#pragma once

#include "archive/ArchiveRecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>

class ProgressReporter;

// The archive of winning columns, ColVin13.mdb in the application folder. Every change is one
// transaction, so a failure leaves the archive as it was; errors come back in Italian.
class ArchiveStore final {
    Q_DISABLE_COPY_MOVE(ArchiveStore)
public:
    explicit ArchiveStore(const QString& appFolder);
    ~ArchiveStore();

    // ReadOnly never writes the file, so an archive on read-only media can still be read; a
    // missing archive is created either way. The file's layout and pages are checked first: a
    // damaged or foreign archive is refused with the reason.
    enum class Access { ReadWrite, ReadOnly };
    bool open(QString* error, Access access = Access::ReadWrite);
    bool isOpen() const;
    QSqlDatabase database() const;
    const QString& appFolder() const { return m_appFolder; }

    // Number of records; -1 on error.
    int count(QString* error = nullptr) const;
    // Every record in season and contest order.
    bool load(QList<ArchiveRecord>& records, QString* error) const;
    // Records of one season (empty: all), same order.
    bool loadSeason(const QString& season, QList<ArchiveRecord>& records, QString* error) const;
    // The same records one at a time, never all held at once; `visit` returns false to stop
    // (the result is then false with `error` untouched). A read that fails half-way is an
    // error, never a shorter archive.
    bool forEach(const QString& season, const std::function<bool(const ArchiveRecord&)>& visit,
                 QString* error) const;

    // The Italian message for an engine error on the archive file at `path`: the file named, and
    // the reason in words (a lock, damage, a full disk) before the engine's own.
    static QString errorMessage(const QString& path, const QSqlError& error);
    // Whether the error is the file's (locked, damaged, unreadable, full) rather than a
    // statement's.
    static bool isFileError(const QSqlError& error);

    // A new record from typed fields, its Comp and measures computed; `id` receives its identity.
    bool add(const ArchiveRecord::TypedFields& typed, qint64* id, QString* error);
    // Rewrites the typed fields of record `id` and recomputes the rest.
    bool modify(qint64 id, const ArchiveRecord::TypedFields& typed, QString* error);
    bool remove(qint64 id, QString* error);
    // The record of `season` and `contest`, if any; id 0 when there is none.
    qint64 find(const QString& season, const QString& contest, QString* error) const;
    // Recomputes Comp and the measures of every record from its signs.
    bool recomputeAll(QString* error, ProgressReporter* progress = nullptr);

    // Adds many records in one transaction. For a season and contest already archived
    // `onDuplicate` decides; Cancel undoes the whole import.
    enum class Duplicate { Replace, Skip, Cancel };
    struct ImportCount {
        int added = 0;
        int replaced = 0;
        int skipped = 0;
    };
    bool
    importRecords(const QList<ArchiveRecord::TypedFields>& records,
                  const std::function<Duplicate(const ArchiveRecord::TypedFields&)>& onDuplicate,
                  ImportCount& counted, QString* error);

    // The browser's order, as the statement text.
    static const char* OrderedSelect; // "SELECT rowid, * FROM ColonneVincenti ORDER BY Anno, Conc"

private:
    void setError(QString* error, const QSqlError& sqlError) const;
    bool checkLayout(QString* error) const;
    bool execute(const QString& sql, QString* error) const;
    QString m_appFolder;
    QString m_connection;
};
