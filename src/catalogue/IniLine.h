#pragma once

#include "catalogue/IniText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace menugeral::ini {

enum class LineKind : std::uint8_t
{
    Blank,
    Comment, // first non-blank character ";"
    Section, // first non-blank character "["
    Entry,   // key "=" value
    KeyOnly, // a key without "=": it has no value
};

enum class LineEnd : std::uint8_t
{
    None, // the last line of a file that does not end with a line break
    Cr,
    Lf,
    CrLf, // also the end of every line a write produces
};

QByteArrayView lineEndBytes(LineEnd end);

// One line of an INI file. A line as read is a slice of the file's content, so
// a line nobody writes is saved with exactly its own bytes; a written line
// holds the bytes the write produced.
struct Line
{
    QByteArray written;  // null for a line as read
    qsizetype start = 0; // in the file's content, for a line as read
    qsizetype size = 0;
    LineEnd end = LineEnd::None;
    LineKind kind = LineKind::Blank;
    qsizetype valueStart = 0; // Entry: where the value begins in the line's bytes
    QString name;             // section name or key, blanks around it removed
};

// Blanks as the private-profile convention sees them: the ASCII spaces of a line.
QStringView trimBlanks(QStringView text);

// Sorts a line into its kind and fills name and valueStart. The markers
// "[", ";" and "=" are ASCII, so the bytes are read directly in either encoding.
void classify(Line &line, QByteArrayView bytes, Encoding encoding);

// Splits file content at CR, LF and CRLF; each line keeps its own end.
std::vector<Line> splitLines(QByteArrayView content, Encoding encoding);

} // namespace menugeral::ini
