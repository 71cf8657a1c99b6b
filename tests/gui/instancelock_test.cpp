#include "TempDir.h"
#include "system/InstanceLock.h"

#include <gtest/gtest.h>

#include <memory>

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

    second.unlock();
    ASSERT_EQ(first->tryLock(), Result::Acquired);
    first.reset(); // going away releases it as well
    EXPECT_EQ(second.tryLock(), Result::Acquired);
}

TEST(InstanceLock, ANameThatCannotHoldALockIsUnavailable)
{
    TempDir dir;
    EXPECT_EQ(InstanceLock(dir.filePath(u"missing/menu.lock"_s)).tryLock(), Result::Unavailable);
}

} // namespace
