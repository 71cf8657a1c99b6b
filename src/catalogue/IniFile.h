#pragma once

#include <QString>
#include <QStringView>

#include <memory>

namespace menugeral {

// A private-profile (INI) file: read once when constructed, edited in memory
// with write(), written back with save(). Section and key names match without
// regard to letter case; every line that a save does not write keeps its bytes.
// The text is Windows-1252, or UTF-8 when the file starts with a UTF-8 byte-order mark.
class IniFile
{
public:
    explicit IniFile(QString fileName);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    const QString &fileName() const;

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
    // on disk is untouched and errorString() says "Unable to write to <file name>".
    [[nodiscard]] bool save();
    const QString &errorString() const;

private:
    struct Content;
    QString m_fileName;
    std::unique_ptr<Content> m_content;
    QString m_errorString;
};

} // namespace menugeral
