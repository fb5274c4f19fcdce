#pragma once

#include "platform/ColumnBuffer.h"

#include <QString>

struct SystemDocument;

// The one place where a set of columns becomes the reduced system, whichever way it was made:
// a confirmed reduction (by conditions, advanced ones included), the guarantee, a text import.
namespace ReducedSystem {

// A confirmed reduction taken into the document: the surviving columns become the reduced
// system and the enable flags are those the run used.
void confirm(SystemDocument& document, ColumnBuffer survivors, const QString& enableFlags);

// Makes the columns the reduced system exactly as a confirmed reduction does: Ridotto.mdb
// first, then the document. On failure nothing in the document changes. A merged system is
// the caller's to end, as after a reduction.
bool adopt(const QString& appFolder, SystemDocument& document, ColumnBuffer columns,
           QString* error);

} // namespace ReducedSystem
