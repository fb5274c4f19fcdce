#pragma once

#include "platform/FileLock.h"
#include "platform/SafeFile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Replaces several files of one folder together: whenever the program stops, the files are all
// old or all new. The new contents are written as synced temporaries (each file's name plus
// ".new"); then a journal naming the files is written, the moment from which the new set counts
// as saved; then the temporaries are renamed and the journal removed. A journal found later is
// rolled forward; temporaries without one are thrown away. While the object lives it holds the
// folder against other programs doing the same.
class SafeFileSet final {
    Q_DISABLE_COPY_MOVE(SafeFileSet)
public:
    SafeFileSet(const QString& folder, const QString& journalName);
    ~SafeFileSet();

    // Waits for other programs replacing files in the folder, then finishes what an interrupted
    // replacement left behind: a journal is rolled forward, the temporaries of `files` without
    // one are removed. The folder stays held until the object dies.
    bool lockAndRecover(const QStringList& files, QString* error);

    // A file of the new set, opened; write into it and commit the set.
    SafeFile& add(const QString& target);

    // A file the set removes when it replaces the others; nothing when it does not exist.
    void remove(const QString& target);
    // False when any file failed. Before the journal is on disk a failure leaves every old file
    // in place; after it, the journal finishes the renames at the next recovery.
    bool commit(QString* error);

    // The temporary of `target` while it is written.
    static QString temporaryOf(const QString& target);

private:
    bool rollForward(QString* error);
    QString journalPath() const;

    QString m_folder;
    QString m_journalName;
    FileLock m_lock;
    std::vector<std::unique_ptr<SafeFile>> m_files;
    QStringList m_removed;
};
