#pragma once

#include <QByteArrayView>
#include <QString>

// Writes a file so that its name always holds either the old content or the whole new one, on
// disk even after a power cut: the new content goes to a temporary beside it, every write is
// checked, and only a complete, synced temporary is renamed over the file, the folder synced
// after. Errors are reported in Italian, naming the file. A link is followed and the file it
// points to written; a name that holds anything but a regular file (a device, a pipe, a folder)
// is refused untouched.
class SafeFile final {
    Q_DISABLE_COPY_MOVE(SafeFile)
public:
    // Without `temporary` a fresh name beside `target` is used. A fixed name is for temporaries
    // that must be found again after a crash.
    explicit SafeFile(const QString& target, const QString& temporary = {});
    // A temporary neither committed nor kept is removed.
    ~SafeFile();

    bool open();
    // Everything is written or false; after a failure every later call fails too.
    bool write(QByteArrayView data);
    // Writes over bytes already written at `offset`, for a header known only at the end; a
    // negative offset writes where the last write ended, as write() does.
    bool writeAt(qint64 offset, QByteArrayView data);
    // Syncs and closes the temporary: its content is complete on disk.
    bool finish();
    // Finishes, renames the temporary over the target and syncs the folder.
    bool commit();
    // Leaves the finished temporary for the caller to rename.
    void keep() { m_keep = true; }

    bool failed() const { return !m_error.isEmpty(); }
    const QString& errorString() const { return m_error; }
    const QString& target() const { return m_target; }
    const QString& temporary() const { return m_temporary; }

    // Syncs a complete file written by other means, such as a database.
    static bool syncFile(const QString& path, QString* error);
    // Renames `from` over `to` (the file a link points to) in one step, then syncs the folder.
    static bool replace(const QString& from, const QString& to, QString* error);
    // Renames without syncing, for several renames followed by one syncFolder.
    static bool rename(const QString& from, const QString& to, QString* error);
    static bool syncFolder(const QString& folder, QString* error);
    // A missing file is no error.
    static bool remove(const QString& path, QString* error = nullptr);
    // Creates the folder and the missing ones above it; an existing folder is no error.
    static bool makeFolder(const QString& folder, QString* error);

    // "Il File X non è un file ordinario !": the refusal of a device, pipe or folder.
    static QString notRegular(const QString& path);
    // The Italian reason for an errno value ("disco pieno").
    static QString reason(int code);

private:
    bool fail(const char* what, int code);

    QString m_target;
    QString m_temporary;
    QString m_error;
    int m_fd = -1;
    bool m_fixedTemporary = false;
    bool m_finished = false;
    bool m_committed = false;
    bool m_keep = false;
};
