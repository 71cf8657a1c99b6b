#include "platform/x11/Xcb.h"

#include <QGuiApplication>

namespace menugeral {

xcb_connection_t *applicationXcbConnection()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace menugeral
