#pragma once

#include "archive/ArchiveRecord.h"
#include "archive/ArchiveStatistics.h"

#include <QList>
#include <QString>

class PrintSurface;
class ProgressReporter;

// The archive printouts, landscape in Courier New 11: the whole archive (40 records a page) and
// the columns of a statistics interval (36 a page), one line per record under a page header.
namespace ArchivePrintout {

// kind "Totale" (the whole archive, `choice` unused) or "Parziale" (a statistics interval,
// whose title and filters `choice` gives).
void PrintArchiveHeader(PrintSurface& surface, const QString& kind, int count,
                        const ArchiveStatistics::Choice* choice = nullptr);
void PrintRecordLine(PrintSurface& surface, const ArchiveRecord& record);

void PrintArchive(PrintSurface& surface, const QList<ArchiveRecord>& records,
                  ProgressReporter& progress);
void PrintInterval(PrintSurface& surface, const QList<ArchiveRecord>& records,
                   const ArchiveStatistics::Choice& choice, ProgressReporter& progress);

} // namespace ArchivePrintout
