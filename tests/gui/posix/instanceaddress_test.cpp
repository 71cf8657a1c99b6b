// Where the guard of one user on one display lives on POSIX systems, and the
// guard where that place is unusable.
#include "TempDir.h"
#include "app/SingleInstanceGuard.h"
#include "system/InstanceAddress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using menugeral::InstanceAddress;
using menugeral::instanceAddressFor;
using menugeral::SingleInstanceGuard;
using menugeral::test::TempDir;
using Claim = SingleInstanceGuard::Claim;

namespace {

mode_t modeOf(const QString &path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << qPrintable(path);
}

InstanceAddress addressIn(const TempDir &dir)
{
    return *instanceAddressFor(dir.path(), {dir.path()}, u":7"_s);
}

TEST(SingleInstanceGuard, AnotherDisplayHasAGuardOfItsOwn)
{
    TempDir dir;
    SingleInstanceGuard onFirstDisplay(*instanceAddressFor(dir.path(), {dir.path()}, u":0"_s));
    SingleInstanceGuard onSecondDisplay(*instanceAddressFor(dir.path(), {dir.path()}, u":1"_s));
    EXPECT_EQ(onFirstDisplay.claim(), Claim::FirstInstance);
    EXPECT_EQ(onSecondDisplay.claim(), Claim::FirstInstance);
}

TEST(SingleInstanceGuard, MenuStillStartsWhenTheSocketCannotBeMade)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    // A directory in the socket's place cannot be removed or listened on.
    ASSERT_TRUE(QDir().mkpath(address.socketName + u"/occupied"_s));

    // Both menus run: the first must keep no lock that the second would wait on.
    std::vector<std::unique_ptr<SingleInstanceGuard>> running;
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        // Waiting on a lock the first kept would end in AnotherInstanceSilent.
        auto &guard = *running.emplace_back(std::make_unique<SingleInstanceGuard>(address));
        EXPECT_EQ(guard.claim(), Claim::Unguarded);
    }
    EXPECT_EQ(SingleInstanceGuard(std::nullopt).claim(), Claim::Unguarded);
}

TEST(SingleInstanceGuard, MenuStillStartsInAReadOnlyDirectory)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    if (QProcess::execute(u"chattr"_s, {u"+i"_s, dir.path()}) != 0)
        GTEST_SKIP() << "chattr +i is not available on " << qPrintable(dir.path());
    struct Undo
    {
        QString path;
        ~Undo() { QProcess::execute(u"chattr"_s, {u"-i"_s, path}); }
    } undo{dir.path()};

    EXPECT_EQ(SingleInstanceGuard(address).claim(), Claim::Unguarded);
}

TEST(InstanceAddress, LiesInThePrivateRuntimeDirectoryNamedForUserAndDisplay)
{
    TempDir runtime;
    TempDir fallback;
    setMode(runtime.path(), 0700);
    const auto address = instanceAddressFor(runtime.path(), {fallback.path()}, u":0"_s);
    ASSERT_TRUE(address);
    EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
    const QString name = QFileInfo(address->socketName).fileName();
    EXPECT_TRUE(name.contains(QString::number(::geteuid()))) << qPrintable(name);
    EXPECT_TRUE(name.contains(u":0"_s)) << qPrintable(name);
    EXPECT_EQ(QFileInfo(address->lockFileName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
    EXPECT_NE(address->lockFileName, address->socketName);

    EXPECT_EQ(instanceAddressFor(runtime.path(), {fallback.path()}, u":0"_s)->socketName, address->socketName);
    EXPECT_NE(instanceAddressFor(runtime.path(), {fallback.path()}, u":1"_s)->socketName, address->socketName);
    EXPECT_NE(instanceAddressFor(runtime.path(), {fallback.path()}, u"wayland-0"_s)->socketName, address->socketName);
}

TEST(InstanceAddress, DisplayNamesThatAreNoFileNamesAreHashed)
{
    TempDir runtime;
    setMode(runtime.path(), 0700);
    const QString strange[] = {u"/private/tmp/launch-x/org.example:0"_s, u"../../x:0"_s, QString(200, u'a')};
    QStringList names;
    for (const QString &display : strange) {
        SCOPED_TRACE(qPrintable(display));
        const auto address = instanceAddressFor(runtime.path(), {}, display);
        ASSERT_TRUE(address);
        EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
        names << address->socketName;
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 3);
}

TEST(InstanceAddress, FitsTheSocketNameLimit)
{
    TempDir base;
    constexpr qsizetype kRoomForHashOnly = 70;
    if (base.path().size() + 2 > kRoomForHashOnly)
        GTEST_SKIP() << "the temporary directory's name is too long for this test: " << qPrintable(base.path());
    // A runtime directory long enough that only a hashed display name fits,
    // and one too long for any socket name.
    const QString hashOnly = base.path() + u'/' + QString(kRoomForHashOnly - base.path().size() - 1, u'r');
    const QString tooLong = base.path() + u'/' + QString(120, u'r');
    const QString fallback = base.path() + u"/menugeral-"_s + QString::number(::geteuid());
    const std::pair<QString, QString> cases[] = {{hashOnly, hashOnly}, {tooLong, fallback}};
    for (const auto &[runtime, expectedDirectory] : cases) {
        SCOPED_TRACE(runtime.size());
        ASSERT_TRUE(QDir().mkpath(runtime));
        setMode(runtime, 0700);
        const auto address = instanceAddressFor(runtime, {base.path()}, u"accounting-workstation-07:12.0"_s);
        ASSERT_TRUE(address);
        EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), expectedDirectory);
        EXPECT_LE(QFile::encodeName(address->socketName).size(), 107);
        SingleInstanceGuard guard(*address);
        EXPECT_EQ(guard.claim(), Claim::FirstInstance) << qPrintable(address->socketName);
    }
}

TEST(InstanceAddress, WithoutRuntimeDirectoryMakesAPrivateOne)
{
    TempDir base;
    const auto address = instanceAddressFor({}, {base.path()}, u":0"_s);
    ASSERT_TRUE(address);
    const QString directory = QFileInfo(address->socketName).absolutePath();
    EXPECT_EQ(QFileInfo(directory).absolutePath(), QFileInfo(base.path()).absoluteFilePath());
    EXPECT_EQ(modeOf(directory) & 07777, 0700u);
    // The same place on the next start.
    EXPECT_EQ(instanceAddressFor({}, {base.path()}, u":0"_s)->socketName, address->socketName);
}

// What another user could have put in the private directory's place first.
TEST(InstanceAddress, RefusesPlacesOthersCouldHaveMadeOrCanWrite)
{
    struct Case
    {
        const char *what;
        std::function<void(const QString &path)> prepare;
    };
    const Case cases[] = {
        {"writable by everyone",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             setMode(path, 01777);
         }},
        {"writable by the group",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             setMode(path, 0770);
         }},
        {"a symbolic link",
         [](const QString &path) {
             QFile::link(QDir::tempPath(), path);
         }},
        {"a file",
         [](const QString &path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         }},
        {"owned by someone else",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
                 GTEST_SKIP() << "only root can hand a directory to another user";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir base;
        const QString privateDirectory = base.path() + u"/menugeral-"_s + QString::number(::geteuid());
        c.prepare(privateDirectory);
        if (testing::Test::IsSkipped())
            continue;
        EXPECT_FALSE(instanceAddressFor({}, {base.path()}, u":0"_s));
        // A further fallback is taken instead.
        TempDir own;
        const auto further = instanceAddressFor({}, QStringList{base.path(), own.path()}, u":0"_s);
        ASSERT_TRUE(further);
        EXPECT_TRUE(further->socketName.startsWith(own.path())) << qPrintable(further->socketName);

        // The same things as a runtime directory are passed over for the fallback.
        TempDir fallback;
        const auto address = instanceAddressFor(privateDirectory, {fallback.path()}, u":0"_s);
        ASSERT_TRUE(address);
        EXPECT_TRUE(address->socketName.startsWith(fallback.path())) << qPrintable(address->socketName);
    }
}

} // namespace
