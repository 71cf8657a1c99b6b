#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace menugeral::Windows1252 {

// Decodes single-byte Windows-1252 text. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// value, so that every byte survives a decode and an encode unchanged.
QString decode(QByteArrayView bytes);

// Encodes text as Windows-1252; nothing when a character has no byte.
std::optional<QByteArray> encode(QStringView text);

// True when every character of the text has a Windows-1252 byte.
bool canEncode(QStringView text);

} // namespace menugeral::Windows1252
