// What the lock file is on POSIX: a file that stays for the next holder, and
// one that is never someone else's link.
#include "TempDir.h"
#include "system/InstanceLock.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using menugeral::InstanceLock;
using menugeral::test::TempDir;
using Result = InstanceLock::Result;

namespace {

TEST(InstanceLockFile, StaysForTheNextHolderOnceReleased)
{
    TempDir dir;
    const QString name = dir.filePath(u"menu.lock"_s);
    auto first = std::make_unique<InstanceLock>(name);
    ASSERT_EQ(first->tryLock(), Result::Acquired);
    first.reset();
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(InstanceLock(name).tryLock(), Result::Acquired);
}

TEST(InstanceLockFile, SomeoneElsesLinkInItsPlaceIsNotFollowed)
{
    TempDir dir;
    const QString link = dir.filePath(u"menu.lock"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"elsewhere"_s), link));
    EXPECT_EQ(InstanceLock(link).tryLock(), Result::Unavailable);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"elsewhere"_s)));
}

} // namespace
