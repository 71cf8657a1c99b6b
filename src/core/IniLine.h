#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>

namespace menugeral::ini {

enum class LineKind : std::uint8_t
{
    Blank,
    Comment, // first non-blank character ";"
    Section, // first non-blank character "["
    Entry,   // key "=" value
    KeyOnly, // a key without "=": it has no value
};

// Where one line of a file's content lies. Lines end at CR, LF or CR LF; the
// last line of a file may have no line break.
struct Line
{
    qsizetype start = 0; // its first byte
    qsizetype end = 0;   // one past its text: the line break, if any, starts here
    qsizetype next = 0;  // the first byte of the following line

    bool hasLineBreak() const { return next > end; }
};

// The line that starts at `start`, which lies inside `content`.
Line lineAt(QByteArrayView content, qsizetype start);

// What a line's text says. The markers "[", ";" and "=" are ASCII, so the bytes
// are read directly in either encoding.
struct LineParts
{
    LineKind kind = LineKind::Blank;
    QByteArrayView name;      // section name or key, blanks around it removed
    qsizetype valueStart = 0; // Entry: where the value begins in the line's text
};

LineParts classify(QByteArrayView text);

// A quick look for a section header: false means the line surely is none.
bool mayBeSection(QByteArrayView text);

// Blanks as the private-profile convention sees them: the ASCII spaces of a line.
QStringView trimBlanks(QStringView text);

} // namespace menugeral::ini
