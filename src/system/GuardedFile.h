#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace menugeral {

// Why a file was not read, in terms the caller can word for its reader.
struct FileRefusal
{
    enum class Kind
    {
        None,
        TooLarge,      // `size` bytes, above the bound asked for: nothing was read
        UntrustedLink, // `entry` is a symbolic link in a folder that others may write
        NotRegular,    // a folder, a device, a pipe...
        System,        // the system refused: `reason` says why
    };
    Kind kind = Kind::None;
    QString entry; // the name refused: the file, or the link on the way to it
    qint64 size = 0;
    QString reason;
};

// A whole file as read, or why not.
struct FileContent
{
    bool exists = false;
    QByteArray bytes;
    FileRefusal refusal; // kind None when read, or when there is no file
};

// The rule for symbolic links, for reading and replacing alike: a link is
// followed only where it lies in a folder that nobody but root or the current
// user may change, such as the link the package puts beside the program. A
// link anyone else could have planted is never followed: a read refuses it,
// and a save refuses it too, since it would have to read the file first.

// Reads a regular file of at most maxSize bytes; a larger one is refused from
// its size, before any of it is read. No file at all is not a refusal.
FileContent readGuardedFile(const QString &fileName, qint64 maxSize);

// Replaces the file's content all or nothing: a temporary file beside it,
// every write checked, synced, then renamed over the entry, which replaces
// that entry itself and never what a link in its place would point at. The
// file keeps its permission bits, except that others never get to write it; a
// new file gets the ordinary ones less that. A file the user may not write is
// refused, not replaced. Empty on success, otherwise the system's reason.
QString replaceGuardedFile(const QString &fileName, QByteArrayView content);

// For an administrator's check: what about the file's owner or permission
// bits lets someone who is not (or no longer) meant to change it do so, with
// the one command that mends it; empty when nothing does, when this process
// is not the administrator's, or where the system has no such owners.
QString ownershipProblem(const QString &fileName);

} // namespace menugeral
