#include "app/AppFolder.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolder {

QString resolve(const QString& chosenFolder, const QString& programFolder)
{
    if (!chosenFolder.isEmpty())
        return QDir::toNativeSeparators(QDir(chosenFolder).absolutePath());
    if (QFileInfo(programFolder).isWritable())
        return QDir::toNativeSeparators(programFolder);
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool prepare(const QString& appFolder, QString* error)
{
    return SafeFile::makeFolder(appFolder, error) &&
           SafeFile::makeFolder(QDir(appFolder).filePath(QStringLiteral("Sistemi")), error);
}

} // namespace AppFolder
