#pragma once

#include "archive/ArchiveRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Archive records as text, one contest a line: season, contest, the 13 signs (one field or
// thirteen), series, postponed flag, separated by ';' or ','. A header line is optional.
namespace ArchiveCsv {

struct Refused {
    int line = 0; // from 1
    QString reason;
};
struct Parsed {
    QList<ArchiveRecord::TypedFields> records;
    QList<int> lines; // the line of each record
    QList<Refused> refused;
};
Parsed parse(QByteArrayView content);

// One record from its fields (5 or 17 of them, as on a line), normalised: upper-case signs and
// series, "Si"/"No", the contest as a number. Returns why it is refused, empty when taken.
QString readFields(const QStringList& fields, ArchiveRecord::TypedFields& typed);

// "2004-2005;7;1X2X11X2-1X21;ABC;No" lines, CR LF, with a header line.
QByteArray format(const QList<ArchiveRecord>& records);

} // namespace ArchiveCsv
