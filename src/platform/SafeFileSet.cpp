#include "platform/SafeFileSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The journal's last line: a journal without it was not written by us and commits nothing.
constexpr QByteArrayView EndLine = "FINE";

// A journal line naming a file to remove instead of one to rename: no file name holds a slash.
constexpr QChar RemovalMark = u'/';

// The file names a journal lists (a removal with its mark in front), or nothing when it is not
// a complete journal.
QStringList namesIn(const QByteArray& journal)
{
    QList<QByteArray> lines = journal.split('\n');
    if (lines.size() < 2 || !lines.last().isEmpty() || lines.at(lines.size() - 2) != EndLine)
        return {};
    QStringList names;
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i));
        const bool removal = line.startsWith(RemovalMark);
        const QString name = removal ? line.mid(1) : line;
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == u".." ||
            name == u".")
            return {};
        names << line;
    }
    return names;
}

} // namespace

SafeFileSet::SafeFileSet(const QString& folder, const QString& journalName)
    : m_folder(folder)
    , m_journalName(journalName)
{}

SafeFileSet::~SafeFileSet()
{
    // Unfinished temporaries go before the folder is let go.
    m_files.clear();
}

QString SafeFileSet::temporaryOf(const QString& target)
{
    return target + QStringLiteral(".new");
}

QString SafeFileSet::journalPath() const
{
    return QDir(m_folder).filePath(m_journalName);
}

bool SafeFileSet::lockAndRecover(const QStringList& files, QString* error)
{
    if (!m_lock.lock(m_folder, error) || !rollForward(error))
        return false;
    // Without a journal nothing was committed: what was being written is thrown away. A
    // temporary that cannot be removed is harmless, the next write truncates it.
    SafeFile::remove(temporaryOf(journalPath()));
    for (const QString& file : files)
        SafeFile::remove(temporaryOf(file));
    return true;
}

bool SafeFileSet::rollForward(QString* error)
{
    QFile journal(journalPath());
    if (!journal.exists())
        return true;
    if (!journal.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossibile leggere il File '%1'")
                         .arg(QDir::toNativeSeparators(journalPath()));
        return false;
    }
    const QStringList names = namesIn(journal.readAll());
    journal.close();
    const QDir folder(m_folder);
    for (const QString& name : names) {
        if (name.startsWith(RemovalMark)) {
            const QString removed = folder.filePath(name.mid(1));
            if (QFileInfo::exists(removed) && !SafeFile::remove(removed, error))
                return false;
            continue;
        }
        // A missing temporary was renamed before the interruption.
        const QString target = folder.filePath(name);
        if (QFileInfo::exists(temporaryOf(target)) &&
            !SafeFile::rename(temporaryOf(target), target, error))
            return false;
    }
    // The renames must be on disk before the journal goes, and the journal must be gone from
    // the disk before new temporaries may appear.
    return SafeFile::syncFolder(m_folder, error) && SafeFile::remove(journalPath(), error) &&
           SafeFile::syncFolder(m_folder, error);
}

SafeFile& SafeFileSet::add(const QString& target)
{
    m_files.push_back(std::make_unique<SafeFile>(target, temporaryOf(target)));
    m_files.back()->open();
    return *m_files.back();
}

void SafeFileSet::remove(const QString& target)
{
    m_removed << QFileInfo(target).fileName();
}

bool SafeFileSet::commit(QString* error)
{
    const auto failWith = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    QByteArray names;
    for (const auto& file : m_files) {
        if (!file->finish())
            return failWith(file->errorString());
        names += QFileInfo(file->target()).fileName().toUtf8() + '\n';
    }
    for (const QString& removed : m_removed)
        names += (RemovalMark + removed).toUtf8() + '\n';
    // The temporaries must be on disk before a journal may point at them.
    QString problem;
    if (!SafeFile::syncFolder(m_folder, &problem))
        return failWith(problem);
    SafeFile journal(journalPath(), temporaryOf(journalPath()));
    const bool committed =
        journal.open() && journal.write(names + EndLine.toByteArray() + '\n') && journal.commit();
    if (!committed && !QFileInfo::exists(journalPath()))
        return failWith(journal.errorString());
    // From here on the journal owns the temporaries.
    for (const auto& file : m_files)
        file->keep();
    m_files.clear();
    if (!committed)
        return failWith(journal.errorString());
    return rollForward(error);
}
