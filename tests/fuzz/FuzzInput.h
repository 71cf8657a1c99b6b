#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <cstring>

namespace menugeral::fuzz {

// Text from fuzz bytes: UTF-8 (an initial U+FEFF kept), or raw UTF-16 (host
// order, an odd last byte dropped) so that lone surrogates and every other
// code unit can occur.
inline QString textOf(QByteArrayView bytes, bool utf16)
{
    if (!utf16) {
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    return text;
}

} // namespace menugeral::fuzz
