#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace menugeral::ini {

// How the bytes of an INI file are turned into text and back.
enum class Encoding
{
    Windows1252,
    Utf8, // only for files that start with the UTF-8 byte-order mark
};

inline constexpr QByteArrayView kUtf8ByteOrderMark = "\xEF\xBB\xBF";

QString decodeText(QByteArrayView bytes, Encoding encoding);

// Nothing when the encoding cannot store every character of the text.
std::optional<QByteArray> encodeText(QStringView text, Encoding encoding);

// True when the text can stand in one line of a file of this encoding: the
// encoding holds every character, and no CR, LF or NUL would cut the line.
bool canStore(QStringView text, Encoding encoding);

} // namespace menugeral::ini
