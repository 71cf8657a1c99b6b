#include "platform/StartHandOver.h"

#include <unistd.h>

namespace menugeral {

// Taken out in any case: a compositor without the activation protocol, or
// X11, would leave it for the modules started later to inherit.
QByteArray takeActivationToken()
{
    const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    return token;
}

std::optional<QByteArrayList> environmentForModules()
{
    QByteArrayList entries;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const QByteArray text(*entry);
        if (!text.startsWith("XDG_ACTIVATION_TOKEN=") && !text.startsWith("DESKTOP_STARTUP_ID="))
            entries.append(text);
    }
    return entries;
}

// The running menu asks the window manager itself, as a pager would.
void handForegroundToWindowOfClass(QStringView)
{}

} // namespace menugeral
