#pragma once

#include "archive/ArchiveRecord.h"

#include <QChar>
#include <QString>

#include <optional>

// The rules of the record editor: its modes and captions, what a key becomes in each box, and
// the checks before a record is written.
namespace RecordEditorLogic {

// The modes the browser asks for (ArchiveMode), and the two it reads back.
inline constexpr const char* New = "NUOV";
inline constexpr const char* Modify = "MODI";
inline constexpr const char* Delete = "CANC";
inline constexpr const char* Closed = "CLSE";

// The text a key enters in a sign box: "X" for X, x and 3; 1, 2 and - as typed; none for any
// other key.
std::optional<QString> signKey(QChar key);
// In the postponed box: "Si" for s/S, "No" for n/N, none otherwise.
std::optional<QString> postKey(QChar key);

// The message of the first check that fails, empty when the record may be written.
QString validate(const ArchiveRecord::TypedFields& typed);

// "Archivio - Nuova Colonna 126", "Archivio - Modifica Colonna 7 del 2004-2005", ...
QString caption(const QString& mode, const ArchiveRecord::TypedFields& typed, int recordCount);

} // namespace RecordEditorLogic
