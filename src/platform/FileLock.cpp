#include "platform/FileLock.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int flockRetrying(int fd, int operation)
{
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

bool setError(QString* error, const QString& path, int code)
{
    if (error)
        *error = QStringLiteral("Impossibile accedere a '%1': %2")
                     .arg(QDir::toNativeSeparators(path), SafeFile::reason(code));
    return false;
}

} // namespace

bool FileLock::lock(const QString& path, QString* error)
{
    unlock();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == EACCES || setError(error, path, errno);
    if (flockRetrying(fd, LOCK_EX) != 0) {
        const int code = errno;
        ::close(fd);
        return code == ENOLCK || code == EOPNOTSUPP || setError(error, path, code);
    }
    m_fd = fd;
    return true;
}

FileLock::Result FileLock::tryLockFile(const QString& path, QString* error)
{
    unlock();
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            setError(error, path, errno);
            return Result::Failed;
        }
        if (flockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
            const int code = errno;
            ::close(fd);
            if (code == EWOULDBLOCK)
                return Result::Busy;
            if (code == ENOLCK || code == EOPNOTSUPP)
                return Result::Locked;
            setError(error, path, code);
            return Result::Failed;
        }
        // The holder we waited for may have renamed or removed the file before letting go: the
        // lock is ours only if the name still leads to the file we locked.
        struct stat locked, named;
        if (::fstat(fd, &locked) == 0 && ::stat(name.constData(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            m_fd = fd;
            return Result::Locked;
        }
        ::close(fd);
    }
    setError(error, path, EBUSY);
    return Result::Failed;
}

void FileLock::unlock()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
