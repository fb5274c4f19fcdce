#pragma once

#include "archive/ArchiveRecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// Archives of winning columns for the archive tests: records built from their typed fields,
// written to ColVin13.mdb, and a connection of the test's own.
namespace TestArchives {

ArchiveRecord record(const QString& season, int contest, const QByteArray& column,
                     const QString& series = QStringLiteral("ABC"),
                     const QString& post = QStringLiteral("No"));

// `count` records: season 2000-2001 onwards, 30 contests (10 .. 39) a season, the columns,
// series and postponed flags cycling through varied values.
QList<ArchiveRecord> generated(int count);

// The next column of 1, X and 2 from a small linear congruential generator: the same columns
// for the same `state` on every machine, so that archives made from it repeat exactly.
QByteArray randomColumn(quint32& state);

// Replaces the archive of `appFolder` with `records`.
bool write(const QString& appFolder, const QList<ArchiveRecord>& records);

// A connection named `name` on the archive of `appFolder`, open.
QSqlDatabase open(const QString& appFolder, const QString& name);

// Runs `statements` in turn on the database file `file` through a connection of its own, closed
// after: the rows they give, their values joined by blanks (NULL for a missing one); a refused
// statement gives its error and ends the run.
QStringList rowsOf(const QString& file, const QStringList& statements);

// The tables of the archive file and the number of archived records, to see that a query left
// it alone.
QString tablesAndCount(QSqlDatabase& database);

} // namespace TestArchives
