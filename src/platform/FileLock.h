#pragma once

#include <QString>

// A lock between running programs on one file or folder, held until the object dies or the
// program ends (a crash included), so no stale lock is ever left behind.
class FileLock final {
    Q_DISABLE_COPY_MOVE(FileLock)
public:
    enum class Result { Locked, Busy, Failed };

    FileLock() = default;
    ~FileLock() { unlock(); }

    // Waits until this program holds the existing file or folder at `path`. A file system that
    // knows no locks, or a folder that does not exist or cannot be read, leaves nothing to hold
    // and is no error: the work goes on without the lock.
    bool lock(const QString& path, QString* error);
    // Takes the file at `path` at once, creating it when missing; Busy while another program
    // holds it. The lock belongs to the name: a file replaced while we waited is taken again.
    Result tryLockFile(const QString& path, QString* error);
    void unlock();

private:
    int m_fd = -1;
};
