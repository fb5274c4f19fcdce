#pragma once

#include "platform/ColumnBuffer.h"
#include "platform/MergedColumns.h"

#include <QLocale>
#include <QString>

class ProgressReporter;

// Joins neighbouring reduced columns that differ in exactly one match into one row playing a
// double there, greedily from the first column in a single pass, and stores the rows in
// Accorpa.mdb.
namespace Merger {

// The merged rows in scan order; every column lies in exactly one row. The progress bar runs
// from 0 to the column count.
MergedColumns merge(const ColumnBuffer& columns, ProgressReporter* progress = nullptr);

// Merges and replaces the rows of Accorpa.mdb, then sets the progress bar back to 0; false with
// the reason when the database fails.
bool mergeAndStore(const QString& appFolder, const ColumnBuffer& columns, MergedColumns& rows,
                   QString* error, ProgressReporter* progress = nullptr);

// The merging ratio N / M as "#0.00" in the locale: "1,50" in Italian.
QString ratioText(qsizetype reducedCount, qsizetype mergedCount, const QLocale& locale = QLocale());

} // namespace Merger
