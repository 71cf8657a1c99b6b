#include "system/GuardedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// As many links as the system follows before it gives up on a name.
constexpr int kMaxSymbolicLinks = 40;

// A chain of symbolic links that never ends names no file. QSaveFile would
// give up following it and let the rename replace the first link with a file.
bool namesAFile(const QString &fileName)
{
    QFileInfo info(fileName);
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == kMaxSymbolicLinks)
            return false;
        info.setFile(info.symLinkTarget());
    }
    return true;
}

} // namespace

// Making a symbolic link on Windows takes an administrator or developer mode,
// and the settings folder's permissions are the installer's: links are
// followed here as the system follows them.
FileContent readGuardedFile(const QString &fileName, qint64 maxSize)
{
    FileContent content;
    const QFileInfo info(fileName);
    if (!info.exists())
        return content;
    content.exists = true;
    if (!info.isFile()) {
        content.refusal = {FileRefusal::Kind::NotRegular, fileName, 0, {}};
        return content;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        content.refusal = {FileRefusal::Kind::System, fileName, 0, file.errorString()};
        return content;
    }
    if (file.size() > maxSize) {
        content.refusal = {FileRefusal::Kind::TooLarge, fileName, file.size(), {}};
        return content;
    }
    // One byte more than allowed tells a file that grew meanwhile.
    QByteArray bytes = file.read(std::min(file.size(), maxSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        content.refusal = {FileRefusal::Kind::System, fileName, 0, file.errorString()};
        return content;
    }
    if (bytes.size() > maxSize) {
        content.refusal = {FileRefusal::Kind::TooLarge, fileName, bytes.size(), {}};
        return content;
    }
    content.bytes = std::move(bytes);
    return content;
}

QString replaceGuardedFile(const QString &fileName, QByteArrayView content)
{
    if (!namesAFile(fileName))
        return u"too many levels of symbolic links"_s;
    // QSaveFile writes beside the file, syncs before MoveFileEx (which NTFS
    // journals) and refuses a file that is not writable. Unbuffered, so that a
    // write the disk refuses fails here and not silently inside commit().
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(content.data(), content.size()) != content.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace menugeral

namespace menugeral {

// The installer sets the folder's access list; a file has no owner group to
// drift from it as on POSIX.
QString ownershipProblem(const QString &)
{
    return {};
}

} // namespace menugeral
