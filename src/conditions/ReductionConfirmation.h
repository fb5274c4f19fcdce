#pragma once

#include "platform/ColumnBuffer.h"

#include <QString>

struct SystemDocument;

// A confirmed reduction taken into the document: the surviving columns become the reduced
// system and the enable flags are those the run used.
namespace ReductionConfirmation {

void apply(SystemDocument& document, ColumnBuffer survivors, const QString& enableFlags);

} // namespace ReductionConfirmation
