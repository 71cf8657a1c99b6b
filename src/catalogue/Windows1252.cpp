#include "catalogue/Windows1252.h"

// Placeholder until the code page table lands.
namespace menugeral::Windows1252 {

QString decode(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

std::optional<QByteArray> encode(QStringView text)
{
    return text.toLatin1();
}

bool canEncode(QStringView)
{
    return true;
}

} // namespace menugeral::Windows1252
