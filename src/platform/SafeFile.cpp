#include "platform/SafeFile.h"

#include "platform/WriteFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using WriteFaults::Step;

namespace {

// One system call of a disk step, unless a fault is injected; a negative result leaves the
// reason in errno.
template <typename Call> auto run(Step step, Call call) -> decltype(call())
{
    if (const int code = WriteFaults::check(step)) {
        errno = code;
        return -1;
    }
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString failure(const char* what, const QString& path, int code)
{
    return QStringLiteral("%1 '%2': %3")
        .arg(QLatin1StringView(what), native(path), SafeFile::reason(code));
}

constexpr const char* CannotCreate = "Impossibile creare il File";
constexpr const char* CannotWrite = "Impossibile scrivere il File";
constexpr const char* CannotReplace = "Impossibile sostituire il File";
constexpr const char* CannotRemove = "Impossibile eliminare il File";

bool setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// 0 when the folder's entries are on disk, else the errno value.
int folderSyncError(const QString& folder)
{
    const QByteArray name = encoded(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int code = run(Step::SyncFolder, [&] { return ::fsync(fd); }) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all; their renames are as durable as they get.
    return code == EINVAL || code == ENOTSUP ? 0 : code;
}

// The file a name stands for: links followed to the name they point at, which may not exist yet,
// so that writing through a link changes the file it points to and leaves the link a link.
QString resolved(const QString& path)
{
    QString name = path;
    // As many links as the system itself follows before giving up.
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(name);
        if (!info.isSymLink())
            return name;
        name = info.symLinkTarget();
    }
    return name;
}

// Only a regular file may be replaced: renaming over a device, a pipe or a folder would put a
// plain file in its place, or fail after the work is done.
bool isSpecial(const QString& path)
{
    struct stat info;
    return ::stat(encoded(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

} // namespace

SafeFile::SafeFile(const QString& target, const QString& temporary)
    : m_target(target)
    , m_temporary(temporary)
    , m_fixedTemporary(!temporary.isEmpty())
{}

SafeFile::~SafeFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_keep && !m_temporary.isEmpty())
        remove(m_temporary);
}

bool SafeFile::fail(const char* what, int code)
{
    if (m_error.isEmpty())
        m_error = failure(what, m_target, code);
    return false;
}

bool SafeFile::open()
{
    if (failed())
        return false;
    const QString destination = resolved(m_target);
    if (isSpecial(destination)) {
        m_error = notRegular(m_target);
        return false;
    }
    // The new file takes over the permissions of the one it replaces.
    struct stat old;
    const bool replacing = ::stat(encoded(destination).constData(), &old) == 0;
    const mode_t mode = replacing ? old.st_mode & 07777 : 0666;
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (m_fixedTemporary ? O_TRUNC : O_EXCL);
    for (int attempt = 0; m_fd < 0; ++attempt) {
        if (!m_fixedTemporary)
            // Beside the file a link points to, so that the rename stays on its disk.
            m_temporary = QStringLiteral("%1.%2.new")
                              .arg(destination)
                              .arg(QRandomGenerator::global()->generate(), 0, 36);
        const QByteArray name = encoded(m_temporary);
        m_fd = run(Step::Create, [&] { return ::open(name.constData(), flags, mode); });
        if (m_fd < 0) {
            const int code = errno;
            if (code != EEXIST || m_fixedTemporary || attempt == 100) {
                if (!m_fixedTemporary)
                    m_temporary.clear();
                return fail(CannotCreate, code);
            }
        }
    }
    // The umask applies to a file that is new, not to one that takes an old one's place.
    if (replacing && ::fchmod(m_fd, mode) != 0)
        return fail(CannotCreate, errno);
    return true;
}

bool SafeFile::write(QByteArrayView data)
{
    return writeAt(-1, data);
}

bool SafeFile::writeAt(qint64 offset, QByteArrayView data)
{
    if (failed())
        return false;
    if (m_fd < 0 || m_finished)
        return fail(CannotWrite, EBADF);
    const char* at = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = run(Step::Write, [&] {
            return offset < 0 ? ::write(m_fd, at, size_t(left))
                              : ::pwrite(m_fd, at, size_t(left), off_t(offset));
        });
        if (written < 0)
            return fail(CannotWrite, errno);
        if (written == 0)
            return fail(CannotWrite, ENOSPC);
        at += written;
        left -= written;
        if (offset >= 0)
            offset += written;
    }
    return true;
}

bool SafeFile::finish()
{
    if (failed())
        return false;
    if (m_finished)
        return true;
    if (m_fd < 0)
        return fail(CannotWrite, EBADF);
    if (run(Step::Sync, [&] { return ::fsync(m_fd); }) != 0)
        return fail(CannotWrite, errno);
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems report a failed write only when the file is closed.
    if (run(Step::Close, [&] { return ::close(fd); }) != 0) {
        const int code = errno;
        if (code != EINTR)
            return fail(CannotWrite, code);
    }
    m_finished = true;
    return true;
}

bool SafeFile::commit()
{
    if (!finish())
        return false;
    QString error;
    if (!replace(m_temporary, m_target, &error)) {
        if (m_error.isEmpty())
            m_error = error;
        return false;
    }
    m_committed = true;
    return true;
}

bool SafeFile::syncFile(const QString& path, QString* error)
{
    const QByteArray name = encoded(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return setError(error, failure(CannotWrite, path, errno));
    const bool synced = run(Step::Sync, [&] { return ::fsync(fd); }) == 0;
    const int code = errno;
    ::close(fd);
    return synced || setError(error, failure(CannotWrite, path, code));
}

bool SafeFile::rename(const QString& from, const QString& to, QString* error)
{
    const QString destination = resolved(to);
    if (isSpecial(destination))
        return setError(error, notRegular(to));
    const QByteArray source = encoded(from);
    const QByteArray target = encoded(destination);
    if (run(Step::Rename, [&] { return ::rename(source.constData(), target.constData()); }) != 0)
        return setError(error, failure(CannotReplace, to, errno));
    return true;
}

bool SafeFile::replace(const QString& from, const QString& to, QString* error)
{
    if (!rename(from, to, error))
        return false;
    // Until the folder is on disk the new name is not, so a failure here is the file's.
    const int code = folderSyncError(QFileInfo(resolved(to)).absolutePath());
    return code == 0 || setError(error, failure(CannotWrite, to, code));
}

bool SafeFile::syncFolder(const QString& folder, QString* error)
{
    const int code = folderSyncError(folder);
    return code == 0 ||
           setError(error, QStringLiteral("Impossibile aggiornare la cartella '%1': %2")
                               .arg(native(folder), reason(code)));
}

bool SafeFile::remove(const QString& path, QString* error)
{
    const QByteArray name = encoded(path);
    if (run(Step::Remove, [&] { return ::unlink(name.constData()); }) == 0 || errno == ENOENT)
        return true;
    return setError(error, failure(CannotRemove, path, errno));
}

bool SafeFile::makeFolder(const QString& folder, QString* error)
{
    const QString absolute = QDir(folder).absolutePath();
    std::error_code code;
    std::filesystem::create_directories(encoded(absolute).toStdString(), code);
    if (QFileInfo(absolute).isDir())
        return true;
    return setError(error, QStringLiteral("Impossibile creare la cartella '%1' ! (%2)")
                               .arg(native(absolute), reason(code ? code.value() : ENOTDIR)));
}

QString SafeFile::notRegular(const QString& path)
{
    return QStringLiteral("Il File %1 non è un file ordinario !").arg(QFileInfo(path).fileName());
}

QString SafeFile::reason(int code)
{
    switch (code) {
    case ENOSPC:
        return QStringLiteral("disco pieno");
    case EDQUOT:
        return QStringLiteral("spazio disponibile esaurito");
    case EFBIG:
        return QStringLiteral("file troppo grande");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case EROFS:
        return QStringLiteral("disco protetto da scrittura");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura sul disco");
    case ENOENT:
        return QStringLiteral("file o cartella inesistente");
    case ENOTDIR:
        return QStringLiteral("non è una cartella");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("file in uso");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}
