#pragma once

#include "archive/ArchiveRecord.h"

#include <QList>

class Session;

// Saves archive records as a CSV file the user names, written safely, and says how it went.
namespace CsvExport {

// False when the user cancelled or the file could not be written (already reported).
bool save(Session& session, const QList<ArchiveRecord>& records);

} // namespace CsvExport
