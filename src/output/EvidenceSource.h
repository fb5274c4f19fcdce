#pragma once

#include "document/AdvancedConditions.h"
#include "document/SystemDocument.h"

// Where the outcome tables and the archive check find a system's advanced conditions
// (tolerance, strict kinds, sign values, reference columns). The document does not keep them
// yet, so a system has none until it does; this is the one place to change then.
namespace EvidenceSource {

inline AdvancedConditions advancedOf(const SystemDocument&)
{
    return {};
}

} // namespace EvidenceSource
