#include "framework/DurableFile.h"

#include "framework/AppError.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
// As many links as the kernel follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;

QString reasonOf(int error)
{
    return qt_error_string(error);
}

[[noreturn]] void cannotCreate(const QString& path, const QString& reason)
{
    throw AppError(StringTable::format(StringId::CannotCreateFile, {path}) + QStringLiteral(": ") + reason);
}

[[noreturn]] void failedToSave(const QString& reason)
{
    QString message = StringTable::load(StringId::FailedToSaveStream);
    if (!reason.isEmpty())
        message += QStringLiteral(": ") + reason;
    throw AppError(message);
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray fileNameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// The permissions new files get. Read from the kernel where it says, so that no other thread
// ever sees a changed mask.
mode_t processUmask()
{
    static const mode_t mask = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("Umask:"))
                    return mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
            }
        }
        const mode_t current = ::umask(022);
        ::umask(current);
        return current;
    }();
    return mask;
}

// The file that receives the content: the path itself, or the final target of the symbolic
// link(s) it names.
struct Target {
    QByteArray path;
    bool exists = false;
    struct stat status {};
};

QByteArray readLink(const QString& givenPath, const QByteArray& link)
{
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = ::readlink(link.constData(), buffer.data(), size_t(buffer.size()));
    if (length < 0)
        cannotCreate(givenPath, reasonOf(errno));
    buffer.truncate(length);
    return buffer;
}

// A link that another user planted in a folder everybody may write to (such as /tmp) must not
// redirect our write: the kernel refuses to follow such links when we open them, and we must
// not go around that by resolving the link ourselves.
void refuseForeignLinkInSharedFolder(const QString& givenPath, const QByteArray& folder,
                                     const struct stat& link)
{
    struct stat status {};
    if (::stat(folder.constData(), &status) != 0)
        cannotCreate(givenPath, reasonOf(errno));
    const bool shared = (status.st_mode & S_ISVTX) && (status.st_mode & S_IWOTH);
    if (shared && link.st_uid != ::geteuid() && link.st_uid != status.st_uid)
        cannotCreate(
            givenPath,
            QStringLiteral("a symbolic link that another user owns in a shared folder is not followed"));
}

Target resolveTarget(const QString& givenPath)
{
    Target target;
    target.path = QFile::encodeName(givenPath);
    for (int hops = 0;; ++hops) {
        struct stat status {};
        if (::lstat(target.path.constData(), &status) != 0) {
            if (errno == ENOENT)
                return target; // created by the save (for a dangling link: its target)
            cannotCreate(givenPath, reasonOf(errno));
        }
        if (!S_ISLNK(status.st_mode)) {
            target.exists = true;
            target.status = status;
            return target;
        }
        if (hops == MaxLinkHops)
            cannotCreate(givenPath, reasonOf(ELOOP));
        const QByteArray folder = folderOf(target.path);
        refuseForeignLinkInSharedFolder(givenPath, folder, status);
        const QByteArray next = readLink(givenPath, target.path);
        target.path = next.startsWith('/') ? next : folder + '/' + next;
    }
}

// Whether a new file of ours can take over the old file's owner and group.
bool canKeepOwner(const struct stat& old)
{
    if (::geteuid() == 0)
        return true;
    if (old.st_uid != ::geteuid())
        return false;
    if (old.st_gid == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(qMax(count, 0)));
    if (count <= 0 || ::getgroups(count, groups.data()) != count)
        return false;
    return std::find(groups.begin(), groups.end(), old.st_gid) != groups.end();
}

void copyExtendedAttributes(const QByteArray& from, int toFd)
{
    const ssize_t size = ::listxattr(from.constData(), nullptr, 0);
    if (size <= 0)
        return;
    QByteArray names(size, '\0');
    const ssize_t listed = ::listxattr(from.constData(), names.data(), size_t(names.size()));
    if (listed <= 0)
        return;
    names.truncate(listed);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t length = ::getxattr(from.constData(), name.constData(), nullptr, 0);
        if (length < 0)
            continue;
        QByteArray value(length, '\0');
        const ssize_t read =
            ::getxattr(from.constData(), name.constData(), value.data(), size_t(value.size()));
        // Attributes that only the system may set (security labels, trusted data) are kept where
        // we are allowed to; a file system without them has nothing to keep.
        if (read >= 0)
            ::fsetxattr(toFd, name.constData(), value.constData(), size_t(read), 0);
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

bool readAll(int fd, QByteArray& bytes)
{
    bytes.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t read = ::pread(fd, chunk, sizeof chunk, off_t(bytes.size()));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return false;
        if (read == 0)
            return true;
        bytes.append(chunk, read);
    }
}

void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // a folder we may write into but not read: the rename is all we can do
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int error = errno;
    ::close(fd);
    if (!synced)
        failedToSave(reasonOf(error));
}

// The last resort, where no new file can take the old one's place: the content is made in
// memory first, then written over the old file, whose content is put back should that fail.
void writeInPlace(const QString& givenPath, const Target& target, const DurableFile::Producer& produce)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!produce(buffer))
        failedToSave(QString());
    const QByteArray content = buffer.data();

    const int fd = ::open(target.path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        cannotCreate(givenPath, reasonOf(errno));
    QByteArray old;
    if (!readAll(fd, old)) {
        const int error = errno;
        ::close(fd);
        cannotCreate(givenPath, reasonOf(error));
    }
    if (!writeAll(fd, content) || ::ftruncate(fd, off_t(content.size())) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (writeAll(fd, old) && ::ftruncate(fd, off_t(old.size())) == 0)
            ::fsync(fd);
        ::close(fd);
        failedToSave(reasonOf(error));
    }
    ::close(fd);
}

// A temporary file in the target's folder. Unnamed (O_TMPFILE) where the file system allows, so
// that a process killed while writing leaves nothing behind; it gets a name only to be renamed
// over the target. A named temporary file that was not committed is removed.
class Temporary {
public:
    Temporary(QByteArray folder, QByteArray targetName)
        : m_folder(std::move(folder)), m_base(std::move(targetName))
    {
        m_base.truncate(100); // room for the prefix and suffix within a file name's 255 bytes
    }
    ~Temporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.isEmpty())
            ::unlink(m_name.constData());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // False with errno set when the folder does not let us create it.
    bool open()
    {
#ifdef O_TMPFILE
        if (::access("/proc/self/fd", X_OK) == 0) {
            m_fd = ::open(m_folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (m_fd >= 0)
                return true;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
#endif
        QByteArray name = candidateName();
        m_fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (m_fd < 0)
            return false;
        m_name = name;
        return true;
    }

    int fd() const
    {
        return m_fd;
    }

    // Gives the written file the target's name; false with errno set.
    bool commit(const QByteArray& target)
    {
        if (m_name.isEmpty() && !giveName())
            return false;
        if (::rename(m_name.constData(), target.constData()) != 0)
            return false;
        m_name.clear();
        return true;
    }

private:
    QByteArray candidateName() const
    {
        return m_folder + "/." + m_base + ".XXXXXX";
    }

    // An unnamed file cannot replace another one directly: it is linked under a fresh name first.
    bool giveName()
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray name = candidateName();
            name.chop(6);
            name +=
                QByteArray::number(QRandomGenerator::system()->generate() % 1000000u).rightJustified(6, '0');
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                m_name = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    QByteArray m_folder;
    QByteArray m_base;
    QByteArray m_name;
    int m_fd = -1;
};

// Writes to a file descriptor through a buffer of its own and keeps the system's reason of the
// first failure, which QFile does not reliably report once a write has gone part-way.
class DescriptorDevice : public QIODevice {
public:
    explicit DescriptorDevice(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    ~DescriptorDevice() override { close(); }

    // Writes what is buffered; false (with error() set) when the file refused it.
    bool flushBuffer()
    {
        if (m_error != 0)
            return false;
        if (!writeAll(m_buffer.constData(), m_buffer.size()))
            return false;
        m_buffer.clear();
        return true;
    }
    int error() const { return m_error; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (m_error != 0)
            return -1;
        if (m_buffer.size() + length < BufferSize) {
            m_buffer.append(data, qsizetype(length));
            return length;
        }
        // A large write goes straight to the file instead of through another copy in memory.
        if (!flushBuffer() || !writeAll(data, length))
            return -1;
        return length;
    }

private:
    bool writeAll(const char* data, qint64 length)
    {
        qint64 done = 0;
        while (done < length) {
            const ssize_t written = ::write(m_fd, data + done, size_t(length - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                m_error = written == 0 ? ENOSPC : errno;
                return false;
            }
            done += written;
        }
        return true;
    }

    static constexpr qsizetype BufferSize = 1 << 16;
    int m_fd;
    int m_error = 0;
    QByteArray m_buffer;
};

void replace(const QString& givenPath, const Target& target, Temporary& temporary,
             const DurableFile::Producer& produce)
{
    const int fd = temporary.fd();
    // The owner first: changing it clears the setgid bit, which the permissions set last restore.
    if (target.exists && ::fchown(fd, target.status.st_uid, target.status.st_gid) != 0) {
        // A file system without owners (or one that maps them) keeps its own.
    }
    {
        DescriptorDevice device(fd);
        const bool produced = produce(device);
        const bool flushed = device.flushBuffer();
        if (!produced || !flushed)
            failedToSave(device.error() != 0 ? reasonOf(device.error()) : QString());
    }
    if (target.exists)
        copyExtendedAttributes(target.path, fd);
    const mode_t mode = target.exists ? (target.status.st_mode & 07777) : (0666 & ~processUmask());
    if (::fchmod(fd, mode) != 0 && errno != EPERM)
        failedToSave(reasonOf(errno));
    if (::fsync(fd) != 0)
        failedToSave(reasonOf(errno));
    if (!temporary.commit(target.path))
        cannotCreate(givenPath, reasonOf(errno));
    syncFolder(folderOf(target.path));
}
} // namespace

void DurableFile::write(const QString& path, const Producer& produce)
{
    const Target target = resolveTarget(path);
    if (target.exists && S_ISDIR(target.status.st_mode))
        cannotCreate(path, reasonOf(EISDIR));
    if (target.exists && !S_ISREG(target.status.st_mode))
        cannotCreate(path, QStringLiteral("not a regular file"));
    // A new file could not keep the old one's owner, nor its other names (hard links).
    if (target.exists && (!canKeepOwner(target.status) || target.status.st_nlink > 1)) {
        writeInPlace(path, target, produce);
        return;
    }
    Temporary temporary(folderOf(target.path), fileNameOf(target.path));
    if (!temporary.open()) {
        const int error = errno;
        // A folder we may not write into, holding a file we may write: the file itself is saved.
        if (target.exists && (error == EACCES || error == EPERM)) {
            writeInPlace(path, target, produce);
            return;
        }
        cannotCreate(path, reasonOf(error));
    }
    replace(path, target, temporary, produce);
}

void DurableFile::write(const QString& path, const QByteArray& bytes)
{
    write(path, [&](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}
