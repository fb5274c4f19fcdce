#include "session/ReducedSystem.h"

#include "document/SystemDocument.h"
#include "platform/ColumnDatabase.h"

namespace ReducedSystem {

void confirm(SystemDocument& document, ColumnBuffer survivors, const QString& enableFlags)
{
    document.ReducedCount = static_cast<qint32>(survivors.count());
    document.WorkColumns = std::move(survivors);
    document.EnableFlags = enableFlags;
}

bool adopt(const QString& appFolder, SystemDocument& document, ColumnBuffer columns, QString* error)
{
    if (!ColumnDatabase::writeReducedColumns(appFolder, columns, error))
        return false;
    confirm(document, std::move(columns), document.EnableFlags);
    return true;
}

} // namespace ReducedSystem
