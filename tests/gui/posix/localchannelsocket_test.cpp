// What the channel's socket file is on POSIX: a name a later server takes
// over, and that an earlier one, closing late, does not take away from it.
#include "ChannelAsker.h"
#include "TempDir.h"
#include "system/LocalChannel.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using menugeral::LocalChannelLimits;
using menugeral::LocalChannelServer;
using menugeral::test::askFromOwnThread;
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

    EXPECT_EQ(askFromOwnThread(name), QByteArray("later"));
}

} // namespace
