#include "platform/StartHandOver.h"

#include "platform/win/Foreground.h"

namespace menugeral {

// Windows has no activation tokens: the foreground rules decide alone.
QByteArray takeActivationToken()
{
    return {};
}

QByteArray handTokenToWindowSystem(const QByteArray &token)
{
    return token;
}

void handForegroundToWindowOfClass(QStringView windowClass)
{
    bringClassToForeground(windowClass);
}

} // namespace menugeral
