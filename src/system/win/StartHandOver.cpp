#include "system/StartHandOver.h"

#include "system/win/Foreground.h"

namespace menugeral {

// Windows has no activation tokens: the foreground rules decide alone.
QByteArray takeActivationToken()
{
    return {};
}

// Nothing is set in the menu's own environment here, and the shell starts
// modules with that one.
std::optional<QByteArrayList> environmentForModules()
{
    return std::nullopt;
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
