#include "platform/AtomicFile.h"

#include "platform/HeapReserve.h"
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

// Where the next name for a temporary beside the target is drawn.
std::string temporaryName(const std::string &target)
{
    const size_t slash = target.rfind('/');
    const std::string stem = slash == std::string::npos ? "./." + target
                                                        : target.substr(0, slash + 1) + '.' + target.substr(slash + 1);
    return stem + '.' + std::to_string(QRandomGenerator::global()->generate());
}

void writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwForWrite(errno);
        }
        p += n;
        left -= n;
    }
}

void syncFolderOf(const std::string &target)
{
    // The rename itself is on disk only once the folder is.
    const int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// The new contents in a file of their own until they replace the target.
// Unnamed where the file system allows, so that a process killed half-way
// leaves nothing beside the target; otherwise a hidden name, removed on every
// way out but a kill.
class TempFile final
{
public:
    enum class Kind { Unnamed, Named };

    // An Unnamed one the file system refuses is not open(); a Named one throws.
    TempFile(const std::string &target, Kind kind)
    {
        // 0666 less the umask: what a new file would get.
        if (kind == Kind::Unnamed) {
            m_fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            return;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = temporaryName(target);
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                return;
            if (errno != EEXIST)
                throwForWrite(errno);
        }
        m_path.clear();
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

    bool open() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    void write(const QByteArray &bytes) { writeAll(m_fd, bytes); }

    // False, with the target untouched, when an unnamed file cannot be given
    // a name here (no /proc and no privilege to link by descriptor).
    bool replace(const std::string &target, SyncToDisk sync)
    {
        if (sync == SyncToDisk::Yes && ::fsync(m_fd) != 0)
            throwForWrite(errno);
        if (m_path.empty() && !nameUnnamed(target))
            return false;
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throwForWrite(errno);
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            throwForWrite(errno);
        m_path.clear();
        if (sync == SyncToDisk::Yes)
            syncFolderOf(target);
        return true;
    }

private:
    // A name for the finished file, held only until the rename.
    bool nameUnnamed(const std::string &target)
    {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = temporaryName(target);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                || (errno != EEXIST && ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)) {
                m_path = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    std::string m_path; // empty while the file has no name
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

    const auto fill = [&](TempFile &temp) {
        if (exists) {
            // Failing to keep the owner or the mode (another user's file) is no reason to fail the save.
            if (st.st_uid != ::geteuid() || st.st_gid != ::getegid())
                (void)!::fchown(temp.fd(), st.st_uid, st.st_gid);
            ::fchmod(temp.fd(), st.st_mode & 07777);
        }
        temp.write(bytes);
    };
    {
        TempFile unnamed(target, TempFile::Kind::Unnamed);
        if (unnamed.open()) {
            fill(unnamed);
            if (unnamed.replace(target, sync))
                return;
        }
    }
    TempFile named(target, TempFile::Kind::Named);
    fill(named);
    named.replace(target, sync);
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
    PrefaultMemory(bytes.data(), size_t(bytes.size()));
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

bool IsSameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
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
