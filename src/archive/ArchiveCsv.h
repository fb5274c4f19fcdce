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

// "2004-2005;7;1X2X11X2-1X21;ABC;No" lines, CR LF, with a header line.
QByteArray format(const QList<ArchiveRecord>& records);

} // namespace ArchiveCsv
