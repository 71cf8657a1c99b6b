// What the channel's socket file is on POSIX: a name a later server takes
// over, and that an earlier one, closing late, does not take away from it.
#include "TempDir.h"
#include "system/LocalChannel.h"

#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using menugeral::askLocalChannel;
using menugeral::LocalChannelLimits;
using menugeral::LocalChannelServer;
using menugeral::test::TempDir;

namespace {

TEST(LocalChannelSocket, AServerClosingLateLeavesTheSocketOfTheOneThatTookItOver)
{
    TempDir dir;
    const QString name = dir.filePath(u"channel"_s);
    const auto answerWith = [](QByteArray answer) {
        return [answer](const QByteArray &) -> std::optional<QByteArray> {
            return answer;
        };
    };
    LocalChannelServer earlier({}, answerWith("earlier\n"));
    LocalChannelServer later({}, answerWith("later\n"));
    ASSERT_TRUE(earlier.listen(name));
    ASSERT_TRUE(later.listen(name)) << "a socket left behind is taken over";
    earlier.close();
    EXPECT_TRUE(QFileInfo::exists(name));

    std::optional<QByteArray> answer;
    std::unique_ptr<QThread> asker(
        QThread::create([&] { answer = askLocalChannel(name, "show\n", QDeadlineTimer(5s)); }));
    asker->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return asker->isFinished(); }, 10000));
    asker->wait();
    EXPECT_EQ(answer, QByteArray("later"));
}

} // namespace
