#include "platform/InstallLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The build sets it from the install directories; the usual layout otherwise.
#ifndef QUADRIGO_DATA_FROM_BIN
#define QUADRIGO_DATA_FROM_BIN "../share/quadrigo13"
#endif

namespace InstallLayout {

QString dataFolder(const QString& programFolder)
{
    const QString folder =
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(QUADRIGO_DATA_FROM_BIN)));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString defaultAppFolder(const QString& programFolder)
{
    if (dataFolder(programFolder).isEmpty() && QFileInfo(programFolder).isWritable())
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace InstallLayout
