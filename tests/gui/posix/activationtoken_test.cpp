#include "platform/WindowActivation.h"
#include "system/StartHandOver.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The menu's modules inherit its environment: a token, good for one use and
// meant for the menu, must never reach them.
TEST(ActivationToken, IsTakenOnceAndNeverLeftInTheEnvironment)
{
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token");
    qputenv("DESKTOP_STARTUP_ID", "launcher-token");
    EXPECT_EQ(menugeral::takeActivationToken(), QByteArray("launcher-token"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("DESKTOP_STARTUP_ID"));
    EXPECT_EQ(menugeral::takeActivationToken(), QByteArray());

    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    menugeral::requestActivation(window, "later-start-token");
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"))
        << "a token the compositor did not take stays for the modules";
}

// GTK 3 launchers put the Wayland token in DESKTOP_STARTUP_ID alone; on X11
// that variable is the startup id and XDG_ACTIVATION_TOKEN means nothing.
TEST(ActivationToken, ComesFromWhereTheLauncherPutIt)
{
    struct Case
    {
        const char *what;
        menugeral::LauncherVariables variables;
        bool onX11;
        QByteArray token;
    };
    const Case cases[] = {
        {"Wayland, both: the activation token", {"xdg", "startup"}, false, "xdg"},
        {"Wayland, the startup id alone", {{}, "gtk-token"}, false, "gtk-token"},
        {"Wayland, the activation token alone", {"xdg", {}}, false, "xdg"},
        {"Wayland, none", {}, false, {}},
        {"X11, both: the startup id", {"xdg", "startup_TIME5"}, true, "startup_TIME5"},
        {"X11, the activation token alone is of no use", {"xdg", {}}, true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(menugeral::launcherToken(c.variables, c.onX11), c.token);
    }
}

} // namespace
