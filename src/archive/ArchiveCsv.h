#pragma once

#include "archive/ArchiveRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ArchiveStore;

// Archive records as text, one contest a line: season, contest, the 13 signs (one field or
// thirteen), series, postponed flag, separated by ';' or ','. A header line is optional. Fields
// are quoted as CSV quotes them, and a field a spreadsheet would run as a formula is written
// behind an apostrophe that reading takes away, so an export reads back as the same archive.
namespace ArchiveCsv {

// No valid line comes near this; a longer one means the file is something else.
inline constexpr int LongestLine = 1024;
inline constexpr qint64 LargestFile = 100 * 1024 * 1024;
// Refused lines listed one by one; the rest are counted.
inline constexpr int ListedRefusals = 20;

struct Refused {
    int line = 0; // from 1
    QString reason;
};
struct Parsed {
    QList<ArchiveRecord::TypedFields> records;
    QList<int> lines;       // the line of each record
    QList<Refused> refused; // the first ListedRefusals refused lines
    int refusedCount = 0;   // all of them
    // Set when the content as a whole is no archive text (UTF-16, a line far too long): then
    // nothing else counts.
    QString unreadable;
};
Parsed parse(QByteArrayView content);

// Reads a regular file of at most LargestFile bytes line by line, refusing at once a line longer
// than LongestLine. False, with the Italian reason in `error`, when the file cannot be read or
// is no archive text; refused lines are in `parsed`.
bool readFile(const QString& path, Parsed& parsed, QString* error);

// "Riga N: reason" for the first refused lines, then how many more there are.
QString refusalReport(const Parsed& parsed);

// One record from its fields (5 or 17 of them, as on a line), normalised: upper-case signs and
// series, "Si"/"No", the contest as a number. Returns why it is refused, empty when taken.
QString readFields(const QStringList& fields, ArchiveRecord::TypedFields& typed);

// "Anno;Conc;Colonna;Serie;Post" and one "2004-2005;7;1X2X11X2-1X21;ABC;No" line per record,
// CR LF.
QByteArray header();
QByteArray line(const ArchiveRecord& record);
QByteArray format(const QList<ArchiveRecord>& records);

// Writes the whole archive to `path` as it is read, through the safe writer: a read that fails
// half-way leaves no file and the previous one at `path` untouched. `written` counts the records.
bool exportArchive(const ArchiveStore& store, const QString& path, qsizetype& written,
                   QString* error);

} // namespace ArchiveCsv
