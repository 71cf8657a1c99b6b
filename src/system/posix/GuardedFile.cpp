#include "system/GuardedFile.h"

#include "system/posix/TrustedEntry.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace menugeral {
using namespace Qt::StringLiterals;
using posix::systemReason;
using posix::TrustedEntry;
using posix::UniqueFd;

namespace {

constexpr mode_t kNewFileMode = 0666 & ~S_IWOTH;
constexpr int kTemporaryNameTries = 100;

FileRefusal systemRefusal(const QString &entry, int error)
{
    return {FileRefusal::Kind::System, entry, 0, systemReason(error)};
}

bool writeAll(int fd, QByteArrayView content)
{
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t written = ::write(fd, content.data() + done, size_t(content.size() - done));
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

QByteArray temporaryNameFor(const QByteArray &name)
{
    // Drawn from the system: a forked process shares its parent's generator
    // state, and would try the same names.
    return '.' + name + '.' + QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

// A temporary file in the folder, never made through a link. Unnamed where the
// system has them, so that a save killed half way leaves nothing behind; it
// gets its name only once it is complete (nameTemporary).
UniqueFd createTemporary(int folder, const QByteArray &name, QByteArray &temporaryName)
{
    temporaryName.clear();
    if (::access("/proc/self/fd", X_OK) == 0) {
        UniqueFd unnamed(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode));
        if (unnamed.isValid())
            return unnamed;
    }
    for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
        temporaryName = temporaryNameFor(name);
        UniqueFd fd(::openat(folder, temporaryName.constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, kNewFileMode));
        if (fd.isValid() || errno != EEXIST)
            return fd;
    }
    return UniqueFd();
}

bool nameTemporary(int fd, int folder, const QByteArray &name, QByteArray &temporaryName)
{
    if (!temporaryName.isEmpty())
        return true;
    const QByteArray unnamed = "/proc/self/fd/" + QByteArray::number(fd);
    for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
        const QByteArray candidate = temporaryNameFor(name);
        if (::linkat(AT_FDCWD, unnamed.constData(), folder, candidate.constData(), AT_SYMLINK_FOLLOW) == 0) {
            temporaryName = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Writes the content to the open temporary file with the kept mode and group,
// durably; false with errno set on the first failure.
bool fillTemporary(int fd, QByteArrayView content, const struct stat *old)
{
    if (!writeAll(fd, content) || ::fsync(fd) != 0)
        return false;
    if (!old)
        return true;
    // The group of a set-group-ID folder came with the name; elsewhere the
    // old file's group is kept where this user may give it.
    (void)!::fchown(fd, uid_t(-1), old->st_gid);
    return ::fchmod(fd, old->st_mode & 0777 & ~S_IWOTH) == 0;
}

} // namespace

FileContent readGuardedFile(const QString &fileName, qint64 maxSize)
{
    FileContent content;
    const TrustedEntry entry = posix::resolveTrustedEntry(fileName);
    if (!entry.folder.isValid()) {
        if (entry.error != ENOENT) {
            content.exists = true;
            content.refusal = systemRefusal(entry.path, entry.error);
        }
        return content;
    }
    content.exists = true;
    if (entry.refusal.kind != FileRefusal::Kind::None) {
        content.refusal = entry.refusal;
        return content;
    }
    // Non-blocking, so that a pipe in its place cannot hold the reader.
    const UniqueFd fd(::openat(entry.folder.get(), entry.name.constData(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.isValid()) {
        if (errno == ENOENT)
            content.exists = false;
        else if (errno == ELOOP)
            content.refusal = {FileRefusal::Kind::UntrustedLink, entry.path, 0, {}}; // planted just now
        else
            content.refusal = systemRefusal(entry.path, errno);
        return content;
    }
    struct stat status = {};
    if (::fstat(fd.get(), &status) != 0) {
        content.refusal = systemRefusal(entry.path, errno);
        return content;
    }
    if (!S_ISREG(status.st_mode)) {
        content.refusal = {FileRefusal::Kind::NotRegular, entry.path, 0, {}};
        return content;
    }
    if (status.st_size > maxSize) {
        content.refusal = {FileRefusal::Kind::TooLarge, entry.path, qint64(status.st_size), {}};
        return content;
    }
    // Room for the size found and one byte more, which tells a file that grew
    // meanwhile; it grows up to one byte over the bound.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got <= maxSize) {
        if (got == bytes.size())
            bytes.resize(qsizetype(std::min<qint64>(2 * qint64(bytes.size()), maxSize + 1)));
        const ssize_t read = ::read(fd.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0) {
            content.refusal = systemRefusal(entry.path, errno);
            return content;
        }
        if (read == 0)
            break;
        got += read;
    }
    if (got > maxSize) {
        content.refusal = {FileRefusal::Kind::TooLarge, entry.path, qint64(got), {}};
        return content;
    }
    bytes.truncate(got);
    content.bytes = std::move(bytes);
    return content;
}

QString replaceGuardedFile(const QString &fileName, QByteArrayView content)
{
    const TrustedEntry entry = posix::resolveTrustedEntry(fileName);
    if (!entry.folder.isValid())
        return systemReason(entry.error);
    if (entry.refusal.kind == FileRefusal::Kind::UntrustedLink)
        return entry.path + u" is a symbolic link in a folder that others may change; it is not followed"_s;
    if (entry.refusal.kind != FileRefusal::Kind::None)
        return entry.refusal.reason;

    const int folder = entry.folder.get();
    struct stat old = {};
    const bool exists = ::fstatat(folder, entry.name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return u"it is not a regular file"_s;
    // The rename would replace a file this user may not write; permission
    // bits do not stop root, but an immutable file does.
    if (exists && ::faccessat(folder, entry.name.constData(), W_OK, AT_EACCESS) != 0)
        return systemReason(errno);

    QByteArray temporaryName;
    const UniqueFd fd = createTemporary(folder, entry.name, temporaryName);
    if (!fd.isValid())
        return systemReason(errno);
    if (!fillTemporary(fd.get(), content, exists ? &old : nullptr) ||
        !nameTemporary(fd.get(), folder, entry.name, temporaryName) ||
        ::renameat(folder, temporaryName.constData(), folder, entry.name.constData()) != 0) {
        const int error = errno;
        if (!temporaryName.isEmpty())
            ::unlinkat(folder, temporaryName.constData(), 0);
        return systemReason(error);
    }
    // The new entry reaches the disk only once the folder is synced.
    ::fsync(folder);
    return {};
}

} // namespace menugeral
