#include "app/AppFolder.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>

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

bool ensure(const QString& folder, QString* error)
{
    const QString absolute = QDir(folder).absolutePath();
    std::error_code code;
    std::filesystem::create_directories(QFile::encodeName(absolute).toStdString(), code);
    if (QFileInfo(absolute).isDir())
        return true;
    if (error)
        *error = QStringLiteral("Impossibile creare la cartella '%1' ! (%2)")
                     .arg(QDir::toNativeSeparators(absolute),
                          SafeFile::reason(code ? code.value() : ENOTDIR));
    return false;
}

bool prepare(const QString& appFolder, QString* error)
{
    return ensure(appFolder, error) &&
           ensure(QDir(appFolder).filePath(QStringLiteral("Sistemi")), error);
}

} // namespace AppFolder
