#include "TempDir.h"
#include "platform/InstanceLock.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using menugeral::InstanceLock;
using menugeral::test::TempDir;
using Result = InstanceLock::Result;

namespace {

TEST(InstanceLock, OneHolderAtATimeAndFreeAgainOnceReleased)
{
    TempDir dir;
    const QString name = dir.filePath(u"menu.lock"_s);
    auto first = std::make_unique<InstanceLock>(name);
    InstanceLock second(name);
    ASSERT_EQ(first->tryLock(), Result::Acquired);
    EXPECT_EQ(first->tryLock(), Result::Acquired) << "asking again keeps it";
    EXPECT_EQ(second.tryLock(), Result::HeldElsewhere);
    EXPECT_FALSE(second.isLocked());

    first->unlock();
    EXPECT_FALSE(first->isLocked());
    EXPECT_EQ(second.tryLock(), Result::Acquired);
    EXPECT_EQ(first->tryLock(), Result::HeldElsewhere);

    // Going away releases it as well; the file stays for the next holder.
    second.unlock();
    ASSERT_EQ(first->tryLock(), Result::Acquired);
    first.reset();
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(second.tryLock(), Result::Acquired);
}

TEST(InstanceLock, ANameThatCannotHoldALockIsUnavailable)
{
    TempDir dir;
    EXPECT_EQ(InstanceLock(dir.filePath(u"missing/menu.lock"_s)).tryLock(), Result::Unavailable);
    // Someone else's link in the lock's place is not followed.
    const QString link = dir.filePath(u"menu.lock"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"elsewhere"_s), link));
    EXPECT_EQ(InstanceLock(link).tryLock(), Result::Unavailable);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"elsewhere"_s)));
}

} // namespace
