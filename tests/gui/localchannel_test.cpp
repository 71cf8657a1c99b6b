#include "ChannelAsker.h"
#include "TempDir.h"
#include "system/LocalChannel.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using menugeral::askLocalChannel;
using menugeral::LocalChannelLimits;
using menugeral::LocalChannelServer;
using menugeral::test::askFromOwnThread;
using menugeral::test::TempDir;

namespace {

constexpr qsizetype kMaxRequest = 6; // "show?\n"

LocalChannelLimits limits(std::chrono::milliseconds idleTimeout = 2s)
{
    LocalChannelLimits result;
    result.maxRequestBytes = kMaxRequest;
    result.maxConnections = 4;
    result.idleTimeout = idleTimeout;
    return result;
}

// Answers "ok <request>" to requests that begin with "s" and hangs up on the
// others; records what it was given.
struct RecordingServer
{
    explicit RecordingServer(const QString &name, const LocalChannelLimits &limits = ::limits())
        : server(limits, [this](const QByteArray &request) -> std::optional<QByteArray> {
              requests << request;
              if (!request.startsWith('s'))
                  return std::nullopt;
              return "ok " + request;
          })
    {
        EXPECT_TRUE(server.listen(name));
    }
    QByteArrayList requests;
    LocalChannelServer server;
};

// Runs `work` on a thread of its own while this thread's loop lets the server answer.
template <typename Work> void onOwnThread(Work work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 20000));
    thread->wait();
}

// Sends the pieces with a pause between them and reads to the end.
QByteArray talk(const QString &name, const std::vector<QByteArray> &pieces)
{
    QByteArray received;
    onOwnThread([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(5000))
            return;
        for (const QByteArray &piece : pieces) {
            socket.write(piece);
            socket.waitForBytesWritten(5000);
            QThread::msleep(20);
        }
        while (socket.waitForReadyRead(5000))
            received += socket.readAll();
        received += socket.readAll();
    });
    return received;
}

struct Conversation
{
    const char *what;
    std::vector<QByteArray> pieces;
    QByteArray answer;       // what the client reads before the server hangs up
    QByteArrayList requests; // what reached the answerer
};

const Conversation kConversations[] = {
    {"one request", {"show\n"}, "ok show\n", {"show\n"}},
    {"a request in pieces", {"sh", "ow\n"}, "ok show\n", {"show\n"}},
    {"the longest request", {"show!\n"}, "ok show!\n", {"show!\n"}},
    {"a line the answerer refuses", {"hide\n"}, "", {"hide\n"}},
    {"only the first line counts", {"sa\nsb\n"}, "ok sa\n", {"sa\n"}},
    {"too long for a request", {"showshow\n"}, "", {}},
    {"too long in pieces", {"sho", "wsho", "w\n"}, "", {}},
    {"binary garbage",
     {QByteArray("\0\xff\x01", 3), QByteArray("\x7f\0\n", 3)},
     "",
     {QByteArray("\0\xff\x01\x7f\0\n", 6)}},
};

TEST(LocalChannel, EveryConnectionGetsOneAnswerToOneBoundedLine)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    RecordingServer recording(name);
    for (const Conversation &c : kConversations) {
        SCOPED_TRACE(c.what);
        recording.requests.clear();
        EXPECT_EQ(talk(name, c.pieces), c.answer);
        EXPECT_EQ(recording.requests, c.requests);
    }
}

TEST(LocalChannel, OnlyAnAnswerCountsAsDelivered)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    EXPECT_EQ(askLocalChannel(name, "show\n", QDeadlineTimer(1s)), std::nullopt) << "nobody listens yet";

    auto recording = std::make_unique<RecordingServer>(name);
    EXPECT_EQ(QFileInfo(name).permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions())
        << "only the user may talk to the menu";
    EXPECT_EQ(askFromOwnThread(name, "show\n"), QByteArray("ok show"));
    EXPECT_EQ(askFromOwnThread(name, "hide\n"), std::nullopt) << "hung up without an answer";

    recording.reset();
    EXPECT_FALSE(QFile::exists(name)) << "a closed server leaves no socket behind";
    EXPECT_EQ(askLocalChannel(name, "show\n", QDeadlineTimer(1s)), std::nullopt);
}

TEST(LocalChannel, AFullQueueOfAServerThatIsBusyIsNoAnswer)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    LocalChannelLimits tight = limits();
    tight.listenBacklog = 1;
    RecordingServer recording(name, tight);
    // This thread's loop does not run while it asks: the server is busy.
    std::vector<std::unique_ptr<QLocalSocket>> queued;
    // One more than the backlog fills the queue (Qt's client waits seconds
    // for each beyond that on Windows).
    for (int i = 0; i <= tight.listenBacklog; ++i) {
        queued.push_back(std::make_unique<QLocalSocket>());
        queued.back()->connectToServer(name);
    }
    EXPECT_EQ(askLocalChannel(name, "show\n", QDeadlineTimer(300ms)), std::nullopt);

    queued.clear();
    EXPECT_EQ(askFromOwnThread(name, "show\n"), QByteArray("ok show")) << "the menu answers once it gets to it";
}

TEST(LocalChannel, ClientsThatSayNothingGiveWayAndAreDroppedWhenIdle)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    const LocalChannelLimits quick = limits(300ms);
    RecordingServer recording(name, quick);
    std::vector<std::unique_ptr<QLocalSocket>> silent;
    for (int i = 0; i < 3 * quick.maxConnections; ++i) {
        silent.push_back(std::make_unique<QLocalSocket>());
        silent.back()->connectToServer(name);
    }
    EXPECT_EQ(askFromOwnThread(name, "show\n"), QByteArray("ok show")) << "silent clients kept a start out";
    EXPECT_LE(recording.server.openConnections(), quick.maxConnections);

    EXPECT_TRUE(QTest::qWaitFor([&] { return recording.server.openConnections() == 0; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(silent.begin(), silent.end(),
                               [](const auto &socket) { return socket->state() == QLocalSocket::UnconnectedState; });
        },
        10000))
        << "every silent client is hung up on";
}

TEST(LocalChannel, AClientThatSendsWithoutEndIsCutOffAtOneRequest)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    RecordingServer recording(name);
    constexpr qint64 kFlood = 100 * 1024 * 1024;
    qint64 sent = 0;
    onOwnThread([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(5000))
            return;
        const QByteArray chunk(64 * 1024, 'x');
        while (sent < kFlood && socket.write(chunk) == chunk.size() && socket.waitForBytesWritten(5000))
            sent += chunk.size();
    });
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, kFlood) << "the server kept reading";
    EXPECT_TRUE(recording.requests.isEmpty());
    EXPECT_EQ(askFromOwnThread(name, "show\n"), QByteArray("ok show"));
}

} // namespace
