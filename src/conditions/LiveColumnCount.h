#pragma once

#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"
#include "platform/ColumnBuffer.h"

#include <QString>

#include <optional>

// How many columns a reduction would leave with conditions that are still being typed: the
// reduction engine run in memory on copies, so that nothing of the open system changes and
// nothing is written.
namespace LiveColumnCount {

qsizetype count(const ColumnBuffer& integral, const ConditionSet& conditions,
                const QString& enableFlags, const AdvancedConditions& advanced = {});

// "Colonne rimaste: 12.345", or "Colonne rimaste: -" while the values cannot be counted.
QString labelText(std::optional<qsizetype> count);

} // namespace LiveColumnCount
