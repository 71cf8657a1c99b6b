#include "platform/StartHandOver.h"

namespace menugeral {

// Taken out in any case: a compositor without the activation protocol, or
// X11, would leave it for the modules started later to inherit.
QByteArray takeActivationToken()
{
    const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    return token;
}

// The running menu asks the window manager itself, as a pager would.
void handForegroundToWindowOfClass(QStringView)
{}

} // namespace menugeral
