#include "platform/WindowActivation.h"
#include "platform/linux/StartupNotification.h"

#include <QGuiApplication>
#include <QWidget>

// A Wayland client may take the focus only with a token from the compositor.
// Qt's Wayland plugin presents the token it finds in XDG_ACTIVATION_TOKEN when
// a window asks for the focus, and removes the variable once it has used it.
// The menu took the variable out at start (takeActivationToken) and puts the
// token back only for the request it makes. Under X11 the token is the
// launcher's startup id: the request goes to the window manager as always,
// and the launcher's busy feedback ends.
namespace menugeral {

void requestActivation(QWidget &window, const QByteArray &activationToken)
{
    const bool handOver = !activationToken.isEmpty() && QGuiApplication::platformName().startsWith(u"wayland");
    if (handOver)
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    window.activateWindow();
    if (handOver)
        qunsetenv("XDG_ACTIVATION_TOKEN");
    completeStartupSequence(activationToken);
}

} // namespace menugeral
