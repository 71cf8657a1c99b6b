#pragma once

#include "system/LocalChannel.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace menugeral::test {

// Asks the channel on `name` from a thread of its own, while this thread's
// event loop lets a server of this thread answer.
inline std::optional<QByteArray> askFromOwnThread(const QString &name, QByteArrayView request = "show\n")
{
    using namespace std::chrono_literals;
    std::optional<QByteArray> answer;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { answer = askLocalChannel(name, request, QDeadlineTimer(5s)); }));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 20000));
    thread->wait();
    return answer;
}

} // namespace menugeral::test
