#include "TempDir.h"
#include "app/LocalChannel.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using menugeral::askLocalChannel;
using menugeral::LocalChannelServer;
using menugeral::test::TempDir;

namespace {

constexpr qsizetype kMaxRequest = 5; // "show\n"

// The server answers "ok <request>" to requests that begin with "s" and hangs
// up on the others; it records what it was given.
struct RecordingServer
{
    explicit RecordingServer(const QString &name)
        : server(kMaxRequest, [this](const QByteArray &request) -> std::optional<QByteArray> {
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

sockaddr_un unixAddress(const QString &name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(name);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

// A client on a thread of its own, so that this thread's loop lets the server
// answer. Sends the pieces with a pause between them and reads to the end.
QByteArray talk(const QString &name, const std::vector<QByteArray> &pieces)
{
    QByteArray received;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_un address = unixAddress(name);
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            for (const QByteArray &piece : pieces) {
                if (::send(fd, piece.constData(), size_t(piece.size()), MSG_NOSIGNAL) < 0)
                    break;
                QThread::msleep(20);
            }
            char chunk[64];
            ssize_t got = 0;
            while ((got = ::read(fd, chunk, sizeof chunk)) > 0)
                received.append(chunk, got);
        }
        ::close(fd);
    }));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 5000));
    thread->wait();
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
    {"a short line", {"s\n"}, "ok s\n", {"s\n"}},
    {"a line the answerer refuses", {"hide\n"}, "", {"hide\n"}},
    {"only the first line counts", {"sa\nsb\n"}, "ok sa\n", {"sa\n"}},
    {"too long for a request", {"showshow\n"}, "", {}},
    {"too long in pieces", {"sho", "wsho", "w\n"}, "", {}},
};

TEST(LocalChannel, EveryConnectionGetsOneAnswerToOneLine)
{
    for (const Conversation &c : kConversations) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString name = dir.filePath(u"channel"_s);
        RecordingServer recording(name);
        EXPECT_EQ(talk(name, c.pieces), c.answer);
        EXPECT_EQ(recording.requests, c.requests);
    }
}

TEST(LocalChannel, AskingGivesTheAnswerLineOrTellsThatNobodyListens)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    EXPECT_EQ(askLocalChannel(name, "show\n", 200, 1000), std::nullopt) << "nobody listens yet";

    auto recording = std::make_unique<RecordingServer>(name);
    EXPECT_EQ(QFileInfo(name).permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions())
        << "only the user may talk to the menu";
    std::optional<QByteArray> answer;
    std::unique_ptr<QThread> thread(QThread::create([&] { answer = askLocalChannel(name, "show\n", 200, 2000); }));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 5000));
    thread->wait();
    EXPECT_EQ(answer, QByteArray("ok show"));

    recording.reset();
    EXPECT_FALSE(QFile::exists(name)) << "a closed server leaves no socket behind";
    EXPECT_EQ(askLocalChannel(name, "show\n", 200, 1000), std::nullopt);
}

TEST(LocalChannel, ASocketLeftBehindIsTakenOver)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    // What a killed menu leaves: a bound socket file nobody listens on.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = unixAddress(name);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_TRUE(QFile::exists(name));
    EXPECT_EQ(askLocalChannel(name, "show\n", 200, 1000), std::nullopt) << "nobody answers there";

    RecordingServer recording(name);
    EXPECT_EQ(talk(name, {"show\n"}), "ok show\n");
}

} // namespace
