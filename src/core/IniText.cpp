#include "core/IniText.h"

#include "core/Windows1252.h"

#include <QStringDecoder>

namespace menugeral::ini {

QString decodeText(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Encoding::Windows1252)
        return Windows1252::decode(bytes);
    // The file's own byte-order mark is gone by now: one at the start of a
    // name or value is a character of it (QString::fromUtf8 would drop it).
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

std::optional<QByteArray> encodeText(QStringView text, Encoding encoding)
{
    if (encoding == Encoding::Windows1252)
        return Windows1252::encode(text);
    // A lone surrogate would silently become "?" in UTF-8.
    if (!text.isValidUtf16())
        return std::nullopt;
    return text.toUtf8();
}

bool canStore(QStringView text, Encoding encoding)
{
    if (text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0')))
        return false;
    // A lone surrogate has no UTF-8 form.
    return encoding == Encoding::Windows1252 ? Windows1252::canEncode(text) : text.isValidUtf16();
}

} // namespace menugeral::ini
