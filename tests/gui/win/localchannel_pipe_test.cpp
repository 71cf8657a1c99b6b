#include "system/LocalChannel.h"

#include <QTest>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <windows.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using menugeral::askLocalChannel;
using menugeral::LocalChannelLimits;
using menugeral::LocalChannelServer;

namespace {

QString uniqueName()
{
    return u"menugeral-test-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

std::optional<QByteArray> askFromOwnThread(const QString &name)
{
    std::optional<QByteArray> answer;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { answer = askLocalChannel(name, "show\n", QDeadlineTimer(5s)); }));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 20000));
    thread->wait();
    return answer;
}

// A program that made the pipe first would hear every later start's request.
TEST(LocalChannelPipe, APipeOfTheNameMadeFirstIsNotShared)
{
    const QString name = uniqueName();
    const std::wstring path = QString(uR"(\\.\pipe\)"_s + name).toStdWString();
    HANDLE squatter = CreateNamedPipeW(path.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                       PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
    ASSERT_NE(squatter, INVALID_HANDLE_VALUE);
    LocalChannelServer server(LocalChannelLimits{}, [](const QByteArray &) { return QByteArray("ok\n"); });
    EXPECT_FALSE(server.listen(name));

    CloseHandle(squatter);
    ASSERT_TRUE(server.listen(name));
    EXPECT_EQ(askFromOwnThread(name), QByteArray("ok"));

    server.close();
    HANDLE client = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(client, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND)) << "an instance outlived close()";
    if (client != INVALID_HANDLE_VALUE)
        CloseHandle(client);
}

} // namespace
