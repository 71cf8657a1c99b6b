#include "system/posix/TrustedEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace menugeral::posix {
namespace {

// As many links as the system follows before it gives up on a name.
constexpr int kMaxSymbolicLinks = 40;

// Nobody but root or this user can put a link into the folder, or change one there.
bool onlyTrustedMayChange(int folder)
{
    struct stat info = {};
    if (::fstat(folder, &info) != 0)
        return false;
    const bool trustedOwner = info.st_uid == 0 || info.st_uid == ::geteuid();
    return trustedOwner && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString linkTarget(int folder, const QByteArray &name)
{
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(folder, name.constData(), target.data(), target.size());
    if (length < 0 || length >= target.size())
        return {};
    target.truncate(length);
    return QFile::decodeName(target);
}

} // namespace

UniqueFd::~UniqueFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

TrustedEntry resolveTrustedEntry(const QString &fileName)
{
    TrustedEntry entry;
    entry.path = QFileInfo(fileName).absoluteFilePath();
    for (int links = 0;; ++links) {
        const QFileInfo info(entry.path);
        entry.name = QFile::encodeName(info.fileName());
        entry.folder =
            UniqueFd(::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!entry.folder.isValid()) {
            entry.error = errno;
            return entry;
        }
        struct stat status = {};
        if (::fstatat(entry.folder.get(), entry.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(status.st_mode))
            return entry;
        if (!onlyTrustedMayChange(entry.folder.get())) {
            entry.refusal = {FileRefusal::Kind::UntrustedLink, entry.path, 0, {}};
            return entry;
        }
        const QString target = linkTarget(entry.folder.get(), entry.name);
        if (links == kMaxSymbolicLinks || target.isEmpty()) {
            entry.refusal = {FileRefusal::Kind::System, entry.path, 0, systemReason(ELOOP)};
            return entry;
        }
        entry.path = QDir(info.absolutePath()).absoluteFilePath(target);
    }
}

} // namespace menugeral::posix
