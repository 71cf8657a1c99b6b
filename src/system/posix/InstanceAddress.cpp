#include "system/InstanceAddress.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

// A socket's full name must fit sockaddr_un::sun_path with its terminating NUL.
constexpr qsizetype kMaxSocketPathBytes = sizeof(sockaddr_un::sun_path) - 1;
constexpr qsizetype kMaxPlainDisplayLength = 32;

// A directory in which no other user can create or replace our names: a real
// directory (not a symbolic link), ours, writable by nobody else.
bool isPrivateDirectory(const QString &path, bool followLinks)
{
    struct stat info
    {};
    const QByteArray native = QFile::encodeName(path);
    const int result = followLinks ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info);
    return result == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool isPlainDisplayCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' ||
           c == u'-' || c == u':';
}

// The display as a file-name part. "d" marks a name used as it stands and "h"
// a hash, so the two kinds never collide.
QString displayToken(const QString &display, bool forceHash)
{
    const bool plain = !display.isEmpty() && display.size() <= kMaxPlainDisplayLength &&
                       std::all_of(display.cbegin(), display.cend(), isPlainDisplayCharacter);
    if (plain && !forceHash)
        return u"d"_s + display;
    const QByteArray digest = QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha256);
    return u"h"_s + QString::fromLatin1(digest.toHex().left(16));
}

std::optional<InstanceAddress> addressIn(const QString &directory, const QString &display)
{
    const QString stem = directory + u"/menugeral-"_s + QString::number(::geteuid()) + u'-';
    for (const bool forceHash : {false, true}) {
        const QString socketName = stem + displayToken(display, forceHash);
        if (QFile::encodeName(socketName).size() <= kMaxSocketPathBytes)
            return InstanceAddress{socketName, socketName + u".lock"_s};
    }
    return std::nullopt;
}

std::optional<QString> privateDirectoryIn(const QString &parent)
{
    if (parent.isEmpty() || !QDir().mkpath(parent))
        return std::nullopt;
    const QString path = QDir::cleanPath(parent) + u"/menugeral-"_s + QString::number(::geteuid());
    // mkdir fails on any existing name, so what is there is checked without
    // following links: someone else may have made it first.
    if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && errno != EEXIST)
        return std::nullopt;
    if (!isPrivateDirectory(path, false))
        return std::nullopt;
    return path;
}

} // namespace

std::optional<InstanceAddress> instanceAddressFor(const QString &runtimeDirectory, const QStringList &fallbackParents,
                                                  const QString &display)
{
    const QString name = display.isEmpty() ? u"none"_s : display;
    // The runtime directory is the user's own by definition; check it anyway
    // and fall back when it is not what it claims to be or is too long.
    if (!runtimeDirectory.isEmpty() && QDir::isAbsolutePath(runtimeDirectory) &&
        isPrivateDirectory(runtimeDirectory, true)) {
        if (auto address = addressIn(QDir::cleanPath(runtimeDirectory), name))
            return address;
    }
    for (const QString &parent : fallbackParents) {
        if (const auto directory = privateDirectoryIn(parent)) {
            if (auto address = addressIn(*directory, name))
                return address;
        }
    }
    return std::nullopt;
}

std::optional<InstanceAddress> currentInstanceAddress()
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    // The home's cache comes before the shared temporary directory: another
    // user can make our name there first, and by taking it away again between
    // two starts send them to different places. Nobody else can make or
    // remove anything in our home. A home may be shared between machines,
    // whose displays of the same name are different desks, hence the host.
    QStringList fallbackParents;
    if (!qEnvironmentVariableIsEmpty("HOME")) {
        fallbackParents << QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                               u"/menugeral-host-"_s + displayToken(QSysInfo::machineHostName(), false);
    }
    fallbackParents << QDir::tempPath();
    return instanceAddressFor(qEnvironmentVariable("XDG_RUNTIME_DIR"), fallbackParents, display);
}

} // namespace menugeral
