#pragma once

#include <QString>
#include <QStringList>

class PrintSurface;
class ProgressReporter;

// The outcome table, the live standing and the archive check on paper: a heading, the system's
// name and the lines as the window shows them, in a fixed-pitch face so that their columns stay
// aligned; the surface starts new pages as the lines need them.
namespace EvidencePrintout {

void PrintLines(PrintSurface& surface, const QString& heading, const QString& systemName,
                const QStringList& lines, ProgressReporter& progress);

} // namespace EvidencePrintout
