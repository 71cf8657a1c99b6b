#pragma once

#include "system/GuardedFile.h"

#include <QString>
#include <QStringView>

#include <memory>

namespace menugeral {

// A private-profile (INI) file: read once when constructed, edited in memory
// with write(), written back with save(). Section and key names match without
// regard to letter case; every line that a save does not write keeps its bytes.
// Symbolic links are followed as readGuardedFile() and replaceGuardedFile() say.
// The text is Windows-1252, or UTF-8 when the file starts with a UTF-8 byte-order mark.
class IniFile
{
public:
    // The largest file read. What the program writes is a couple of KiB, 40 at
    // most (19 paths of 2047 characters); this leaves room for any lines put
    // there by hand, while a larger file is refused unread, whatever its
    // size, so that memory and time stay bounded.
    static constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

    explicit IniFile(QString fileName);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    const QString &fileName() const;

    // Why the file, which exists, was not read (too large, a link planted in
    // a folder others may change, unreadable...), naming it; empty when it was
    // read or there is none. A refused file reads as empty and is never saved.
    QString problem() const;
    const FileRefusal &refusal() const;

    // The value of the first matching entry, blanks around it removed and one
    // pair of matching quotes taken off, cut to 2047 characters; defaultValue
    // when the file, the section or the key is missing or the file unreadable.
    QString read(QStringView section, QStringView key, const QString &defaultValue) const;

    // True when the text can be written as a section, key or value: it holds
    // no CR, LF or NUL, and the file's encoding can store every character.
    bool canStore(QStringView text) const;

    // Sets an entry in memory: replaces the first matching entry in place, or
    // adds it at the end of its section, or appends the section at the end.
    // A name or value holding CR, LF or NUL, or a character the file's encoding
    // cannot store, is refused: nothing changes and the next save() fails. So
    // is a name that would read back as another: a section holding "]", a key
    // holding "=" or starting with "[" or ";".
    void write(QStringView section, QStringView key, const QString &value);

    // Writes the whole content back atomically. On failure (also after a
    // refused write, or when the file exists but could not be read) the file
    // on disk is untouched and errorString() says "Unable to write to <file name>";
    // reason() adds why, in the system's words where the system refused.
    [[nodiscard]] bool save();
    const QString &errorString() const;
    const QString &reason() const;

private:
    struct Content;
    QString m_fileName;
    std::unique_ptr<Content> m_content;
    QString m_errorString;
    QString m_reason;
};

} // namespace menugeral
