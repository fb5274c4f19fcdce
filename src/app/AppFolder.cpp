#include "app/AppFolder.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolder {

QString resolve(const QStringList& arguments, const QString& programFolder)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--app-folder"));
    if (at >= 0 && at + 1 < arguments.size())
        return QDir::toNativeSeparators(QDir(arguments.at(at + 1)).absolutePath());
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
