#include "ChannelAsker.h"
#include "system/LocalChannel.h"

#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using menugeral::askLocalChannel;
using menugeral::LocalChannelLimits;
using menugeral::LocalChannelServer;
using menugeral::test::askFromOwnThread;

namespace {

QString uniqueName()
{
    return u"menugeral-test-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
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

// Pipe names are shared by every user of a machine: another account's
// program that made the menu's pipe, answering as the menu would, must not
// make a start believe that the menu showed.
TEST(LocalChannelPipe, APipeAnotherAccountOwnsIsNotAsked)
{
    const QString name = uniqueName();
    const std::wstring path = QString(uR"(\\.\pipe\)"_s + name).toStdWString();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:SYD:(A;;GA;;;WD)", SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    HANDLE squatter =
        CreateNamedPipeW(path.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 64, 64, 0, &attributes);
    LocalFree(descriptor);
    if (squatter == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this account cannot make a pipe that another one owns";
    std::unique_ptr<QThread> answering(QThread::create([squatter] {
        DWORD bytes = 0;
        char request[64];
        if ((ConnectNamedPipe(squatter, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) &&
            ReadFile(squatter, request, sizeof(request), &bytes, nullptr))
            WriteFile(squatter, "1\n", 2, &bytes, nullptr);
    }));
    answering->start();

    EXPECT_EQ(askLocalChannel(name, "show\n", QDeadlineTimer(5s)), std::nullopt);
    answering->wait();
    CloseHandle(squatter);
}

} // namespace
