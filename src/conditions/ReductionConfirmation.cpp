#include "conditions/ReductionConfirmation.h"

#include "document/SystemDocument.h"

namespace ReductionConfirmation {

void apply(SystemDocument& document, ColumnBuffer survivors, const QString& enableFlags)
{
    document.ReducedCount = static_cast<qint32>(survivors.count());
    document.WorkColumns = std::move(survivors);
    document.EnableFlags = enableFlags;
}

} // namespace ReductionConfirmation
