#include "app/AppFolder.h"

#include "output/DictationSequence.h"
#include "platform/InstallLayout.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AppFolder {

QString resolve(const QString& chosenFolder, const QString& programFolder)
{
    if (!chosenFolder.isEmpty())
        return QDir::toNativeSeparators(QDir(chosenFolder).absolutePath());
    return QDir::toNativeSeparators(InstallLayout::defaultAppFolder(programFolder));
}

QString soundsFolder(const QString& programFolder)
{
    const QString installed = InstallLayout::dataFolder(programFolder);
    return installed.isEmpty() ? QStringLiteral(":/sounds")
                               : QDir(installed).filePath(QStringLiteral("sounds"));
}

bool prepare(const QString& appFolder, QString* error)
{
    return SafeFile::makeFolder(appFolder, error) &&
           SafeFile::makeFolder(QDir(appFolder).filePath(QStringLiteral("Sistemi")), error);
}

QStringList installSounds(const QString& appFolder, const QString& resourceFolder)
{
    QStringList problems;
    for (const QString& name : DictationSequence::soundFiles()) {
        const QString target = QDir(appFolder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(QDir(resourceFolder).filePath(name));
        if (!source.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("Registrazione '%1' mancante nel programma.").arg(name);
            continue;
        }
        SafeFile file(target);
        if (!(file.open() && file.write(source.readAll()) && file.commit()))
            problems << file.errorString();
    }
    return problems;
}

} // namespace AppFolder
