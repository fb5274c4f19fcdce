#pragma once

#include "platform/ColumnBuffer.h"
#include "platform/MergedColumns.h"

#include <QString>

class PrintSurface;
class ProgressReporter;
struct SystemDocument;

// The column pages of a printed system: the page header, the columns as blocks of signs grouped
// by slip, and the merged columns as vertical strips. Each page is drawn and sent before the
// next is started, so even the 13,286 pages of a full integral system never sit in memory.
namespace ColumnPages {

inline const QString NoHeader = QStringLiteral("NoIntesta");

// PrintColumnsHeader: file name, contest, `title` and page number over a rule; "NoIntesta"
// prints six blank lines instead.
void printHeader(PrintSurface& surface, const SystemDocument& document, const QString& title);

// "Ridotto 41 colonne".
QString title(const QString& word, qsizetype count);

// The header titled `titleWord` and the count, then `count` columns in blocks of 40, three
// blocks to a page; the progress follows the first column of each block.
void printColumns(PrintSurface& surface, const SystemDocument& document,
                  const ColumnBuffer& columns, qsizetype count, const QString& titleWord,
                  ProgressReporter& progress);

// The reduced or the integral columns of the system under their header, titled "Ridotto" or
// "Integrale".
void printSystemColumns(PrintSurface& surface, const SystemDocument& document, bool integral,
                        ProgressReporter& progress);

// The header, then the merged rows as numbered strips, four side by side in each band.
void printMergedColumns(PrintSurface& surface, const SystemDocument& document,
                        const MergedColumns& rows, ProgressReporter& progress);

} // namespace ColumnPages
