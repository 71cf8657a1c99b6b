#include "system/TerminationSignals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

using menugeral::TerminationSignals;

namespace {

sighandler_t currentHandler(int signalNumber)
{
    struct sigaction action
    {};
    ::sigaction(signalNumber, nullptr, &action);
    return action.sa_handler;
}

TEST(TerminationSignals, ReachTheEventLoopAndLeaveThePreviousHandlersBehind)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const sighandler_t before = currentHandler(signalNumber);
        {
            TerminationSignals termination;
            QSignalSpy received(&termination, &TerminationSignals::received);
            ASSERT_EQ(std::raise(signalNumber), 0); // would end the test without the handler
            ASSERT_TRUE(received.wait(2000));
            EXPECT_EQ(received.takeFirst().at(0).toInt(), signalNumber);

            // A second object cannot take the handlers over: one loop hears them.
            TerminationSignals second;
            QSignalSpy secondReceived(&second, &TerminationSignals::received);
            ASSERT_EQ(std::raise(signalNumber), 0);
            ASSERT_TRUE(received.wait(2000));
            EXPECT_TRUE(secondReceived.isEmpty());
        }
        EXPECT_EQ(currentHandler(signalNumber), before);
    }
}

} // namespace
