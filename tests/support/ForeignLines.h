#pragma once

#include "core/IniText.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace menugeral::test {

// One line of a file's bytes and the line break after it (CR, LF, CR LF or
// none), as views into those bytes.
struct FileLine
{
    QByteArrayView text;
    QByteArrayView lineBreak;

    friend bool operator==(const FileLine &a, const FileLine &b)
    {
        return a.text == b.text && a.lineBreak == b.lineBreak;
    }
};

// Walks through the lines of some bytes without copying them.
class FileLines
{
public:
    explicit FileLines(QByteArrayView bytes) : m_bytes(bytes) {}
    std::optional<FileLine> next();

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

// Names as the INI file compares them: blanks around them ignored, letter case too.
bool sameIniName(const QString &a, const QString &b);

// The key a line would hold if it were an entry: what precedes its first "=".
QString keyPartOf(QByteArrayView text, ini::Encoding encoding);

// What a save that wrote `writtenKeys` must keep of the file it replaced: every
// line that is no entry of those keys, with its bytes and line break (the last
// line may gain one), in order. Nothing when `after` keeps them all, otherwise
// the first line it lost.
std::optional<QByteArray> lostForeignLine(QByteArrayView before, QByteArrayView after, const QStringList &writtenKeys,
                                          ini::Encoding encoding);

} // namespace menugeral::test
