#pragma once

#include "archive/ArchiveRecord.h"

#include <QList>

class ArchiveStore;
class Session;

// Saves archive records as a CSV file the user names, written safely, and says how it went.
namespace CsvExport {

// False when the user cancelled or the file could not be written (already reported).
bool save(Session& session, const QList<ArchiveRecord>& records);
// The whole archive as it is read from the store, so a read that fails is reported and leaves
// no file rather than a shorter one.
bool saveArchive(Session& session, const ArchiveStore& store);

} // namespace CsvExport
