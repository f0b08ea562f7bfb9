#include "platform/AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purslet {

namespace {

const QString kFolder = QStringLiteral("ファイルではなくフォルダーを指定しています。");
const QString kNotReadable = QStringLiteral("ファイルを読みこむ権限がありません。");

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isFolder(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void throwForWrite(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        throw RuntimeError(RuntimeError::DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        throw RuntimeError(RuntimeError::PermissionDenied);
    case ENOENT:
    case ENOTDIR:
        throw RuntimeError(RuntimeError::PathNotFound);
    case EISDIR:
        throw RuntimeError(RuntimeError::PathFileAccess, kFolder);
    default:
        throw RuntimeError(RuntimeError::PathFileAccess);
    }
}

// The file a write lands in: a symlink's final target, which need not exist yet.
std::string finalTarget(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            throwForWrite(errno);
        target.resize(size_t(n));
        path = target.starts_with('/') ? target : folderOf(path) + '/' + target;
    }
    throw RuntimeError(RuntimeError::PathFileAccess); // a loop of links
}

class TempFile final
{
public:
    explicit TempFile(const std::string &target)
    {
        const size_t slash = target.rfind('/');
        const std::string stem = slash == std::string::npos ? "./." + target
                                                            : target.substr(0, slash + 1) + '.' + target.substr(slash + 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = stem + '.' + std::to_string(QRandomGenerator::global()->generate());
            // 0666 less the umask: what a new file would get.
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                return;
            if (errno != EEXIST)
                throwForWrite(errno);
        }
        throwForWrite(EEXIST);
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int fd() const { return m_fd; }

    void write(const QByteArray &bytes)
    {
        const char *p = bytes.constData();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(m_fd, p, size_t(left));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throwForWrite(errno);
            }
            p += n;
            left -= n;
        }
    }

    void replace(const std::string &target, SyncToDisk sync)
    {
        if (sync == SyncToDisk::Yes && ::fsync(m_fd) != 0)
            throwForWrite(errno);
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throwForWrite(errno);
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            throwForWrite(errno);
        m_path.clear();
        if (sync == SyncToDisk::Yes) {
            // The rename itself is on disk only once the folder is.
            const int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir >= 0) {
                ::fsync(dir);
                ::close(dir);
            }
        }
    }

private:
    std::string m_path;
    int m_fd = -1;
};

} // namespace

void WriteFileAtomically(const QString &path, const QByteArray &bytes, SyncToDisk sync)
{
    const std::string target = finalTarget(QFile::encodeName(path).toStdString());
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        throwForWrite(errno);
    if (!exists && !isFolder(folderOf(target)))
        throw RuntimeError(RuntimeError::PathNotFound);
    if (exists) {
        if (S_ISDIR(st.st_mode))
            throw RuntimeError(RuntimeError::PathFileAccess, kFolder);
        // A device or a pipe would be replaced by a plain file.
        if (!S_ISREG(st.st_mode))
            throw RuntimeError(RuntimeError::PathFileAccess);
        // No write bit at all is read-only for everyone, the superuser too.
        if (::access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
            throw RuntimeError(RuntimeError::PermissionDenied);
    }

    TempFile temp(target);
    if (exists) {
        // Failing to keep the owner or the mode (another user's file) is no reason to fail the save.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid())
            (void)!::fchown(temp.fd(), st.st_uid, st.st_gid);
        ::fchmod(temp.fd(), st.st_mode & 07777);
    }
    temp.write(bytes);
    temp.replace(target, sync);
}

QByteArray ReadWholeFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
            if (!isFolder(folderOf(name.toStdString())))
                throw RuntimeError(RuntimeError::PathNotFound);
            throw RuntimeError(RuntimeError::FileNotFound);
        case ENOTDIR:
            throw RuntimeError(RuntimeError::PathNotFound);
        case EACCES:
        case EPERM:
            throw RuntimeError(RuntimeError::PermissionDenied, kNotReadable);
        default:
            throw RuntimeError(RuntimeError::PathFileAccess);
        }
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw RuntimeError(RuntimeError::PathFileAccess);
    if (S_ISDIR(st.st_mode))
        throw RuntimeError(RuntimeError::PathFileAccess, kFolder);
    if (S_ISREG(st.st_mode) && st.st_size > maxBytes)
        throw RuntimeError(RuntimeError::FileTooLarge);

    // A pipe or a device has no size: read until the end or past the limit.
    const qsizetype limit = qsizetype(maxBytes) + 1;
    QByteArray bytes(std::min(limit, S_ISREG(st.st_mode) ? qsizetype(st.st_size) + 1 : qsizetype(1) << 20),
                     Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(std::min(limit, 2 * used));
        const ssize_t n = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw RuntimeError(RuntimeError::PathFileAccess);
        }
        if (n == 0)
            break;
        used += n;
        if (used > maxBytes)
            throw RuntimeError(RuntimeError::FileTooLarge);
    }
    bytes.truncate(used);
    return bytes;
}

void RemoveFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(RuntimeError::FileNotFound);
    if (!file.remove())
        throw RuntimeError(RuntimeError::PermissionDenied);
}

} // namespace purslet
