#pragma once

#include "platform/ColumnBuffer.h"

#include <QString>

class ProgressReporter;

// Exports columns with their measures to Export.mdb, in the layout of the winning-column
// archive, replacing what an earlier export left there.
namespace ExportWriter {

// Season, contest, series, postponement and the parallels at step 3 stay NULL, as does the
// longest run of a sign that does not occur. The progress bar runs from 0 to the column count
// and is set back to 0 at the end.
bool exportColumns(const QString& appFolder, const ColumnBuffer& columns, QString* error,
                   ProgressReporter* progress = nullptr);

// "File 'Export.mdb' creato con successo !"
QString successMessage();

} // namespace ExportWriter
