#include "platform/StartHandOver.h"
#include "platform/WindowActivation.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The menu's modules inherit its environment: a token, good for one use and
// meant for the menu, must never reach them.
TEST(ActivationToken, IsTakenOnceAndNeverLeftInTheEnvironment)
{
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token");
    EXPECT_EQ(menugeral::takeActivationToken(), QByteArray("launcher-token"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    EXPECT_EQ(menugeral::takeActivationToken(), QByteArray());

    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    menugeral::requestActivation(window, "later-start-token");
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"))
        << "a token the compositor did not take stays for the modules";
}

} // namespace
