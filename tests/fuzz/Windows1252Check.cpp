#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "core/IniText.h"
#include "core/Windows1252.h"

#include <QSet>

namespace menugeral::fuzz {
using namespace Qt::StringLiterals;
namespace {

// The characters that have a byte, learnt from the decoder alone.
QSet<char16_t> charactersWithAByte()
{
    QSet<char16_t> characters;
    for (int byte = 0; byte < 256; ++byte) {
        const char single = static_cast<char>(byte);
        characters.insert(Windows1252::decode(QByteArrayView(&single, 1)).at(0).unicode());
    }
    return characters;
}

} // namespace

QStringList checkWindows1252(QByteArrayView input)
{
    static const QSet<char16_t> storable = charactersWithAByte();
    QStringList broken;

    const QString decoded = Windows1252::decode(input);
    if (decoded.size() != input.size())
        broken.append(u"decoding gives one character per byte"_s);
    if (Windows1252::encode(decoded) != QByteArray(input.data(), input.size()))
        broken.append(u"every byte survives a decode and an encode"_s);
    if (ini::decodeText(input, ini::Encoding::Windows1252) != decoded)
        broken.append(u"the INI file decodes as the code page does"_s);

    const QString text = textOf(input, true);
    const bool expectStorable =
        std::all_of(text.begin(), text.end(), [](QChar c) { return storable.contains(c.unicode()); });
    const std::optional<QByteArray> encoded = Windows1252::encode(text);
    if (encoded.has_value() != expectStorable || Windows1252::canEncode(text) != expectStorable)
        broken.append(u"text is encoded exactly when every character has a byte"_s);
    if (encoded && (encoded->size() != text.size() || Windows1252::decode(*encoded) != text))
        broken.append(u"encoded text decodes to itself"_s);
    if (ini::encodeText(text, ini::Encoding::Windows1252) != encoded)
        broken.append(u"the INI file encodes as the code page does"_s);

    const std::optional<QByteArray> utf8 = ini::encodeText(text, ini::Encoding::Utf8);
    if (utf8.has_value() != text.isValidUtf16())
        broken.append(u"UTF-8 refuses exactly the text holding a lone surrogate"_s);
    if (utf8 && ini::decodeText(*utf8, ini::Encoding::Utf8) != text)
        broken.append(u"UTF-8 text decodes to itself"_s);
    return broken;
}

} // namespace menugeral::fuzz
