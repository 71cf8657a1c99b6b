// Saving on a POSIX file system: links, permission bits, immutable files and
// directories, a user who may not write, and a save killed half way.
#include "../IniFileSaveSupport.h"
#include "TempDir.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <iostream>
#include <linux/fs.h>
#include <poll.h>
#include <random>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;
using namespace test::inifile_save;
using test::TempDir;

mode_t modeOf(const QString &fileName)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

TEST(IniFileSave, ASymbolicLinkKeepsPointingAtTheRewrittenTarget)
{
    TempDir dir;
    const QString target = dir.writeFile(u"real/"_s + kFileName, kOriginal);
    const QString link = dir.filePath(kFileName);
    ASSERT_TRUE(QFile::link(u"real/"_s + kFileName, link));
    IniFile ini(link);
    EXPECT_EQ(ini.read(kSection, kKey, {}), u"C:\\QOR\\Caixa.exe");
    ini.write(kSection, kKey, u"C:\\Novo.exe"_s);
    ASSERT_TRUE(ini.save()) << ini.errorString().toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(dir.readFile(u"real/"_s + kFileName),
              "; keep me\r\n[GestaoEmpresarial]\r\nModulo Caixa=C:\\Novo.exe\r\n");
}

// Except that a save never lets everyone write the file: a mode widened by
// hand (or by one who has left the group) is narrowed by the next save.
TEST(IniFileSave, KeepsThePermissionBitsOfTheFileButEveryonesWrite)
{
    const std::pair<mode_t, mode_t> modes[] = {{0600, 0600}, {0640, 0640}, {0604, 0604}, {0664, 0664},
                                               {0755, 0755}, {0666, 0664}, {0646, 0644}, {0777, 0775}};
    for (const auto &[mode, saved] : modes) {
        SCOPED_TRACE(mode);
        TempDir dir;
        const QString fileName = dir.writeFile(kFileName, kOriginal);
        ASSERT_EQ(::chmod(QFile::encodeName(fileName).constData(), mode), 0);
        IniFile ini(fileName);
        ini.write(kSection, kKey, u"C:\\Novo.exe"_s);
        ASSERT_TRUE(ini.save());
        EXPECT_EQ(modeOf(fileName), saved);
    }
}

TEST(IniFileSave, ANewFileGetsOrdinaryPermissions)
{
    for (const mode_t mask : {022, 027, 002, 0}) {
        SCOPED_TRACE(mask);
        TempDir dir;
        IniFile ini(dir.filePath(kFileName));
        ini.write(kSection, kKey, u"x"_s);
        const mode_t previous = ::umask(mask);
        const bool saved = ini.save();
        ::umask(previous);
        ASSERT_TRUE(saved);
        EXPECT_EQ(modeOf(ini.fileName()), 0664 & ~mask);
    }
}

// Where a link may have been put by someone else, it is never followed: not
// by a read, not by a save, whoever runs it (root included). Reached through
// a link in a folder of this user's, as the package's link beside the
// program leads into the group's folder.
TEST(IniFileSave, ALinkIsFollowedOnlyInAFolderNobodyElseMayChange)
{
    constexpr uid_t nobody = 65534;
    const uid_t self = ::geteuid();
    const struct
    {
        const char *name;
        mode_t mode;
        uid_t owner;
        bool followed;
    } cases[] = {
        {"folder of this user's", 0700, self, true},
        {"folder everyone may read", 0755, self, true},
        {"folder the group may write", 0775, self, false},
        {"set-group-ID folder the group may write", 02775, self, false},
        {"folder everyone may write", 0777, self, false},
        {"sticky folder everyone may write", 01777, self, false},
        {"another user's folder", 0755, nobody, false},
    };
    for (const auto &c : cases) {
        for (const bool throughLink : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (throughLink ? ", reached through a link" : ""));
            if (c.owner != self && self != 0)
                continue; // only root can give a folder to another user
            TempDir dir;
            const QString target = dir.writeFile(u"real/"_s + kFileName, kOriginal);
            ASSERT_TRUE(QDir(dir.path()).mkdir(u"links"_s));
            const QString link = dir.filePath(u"links/"_s + kFileName);
            ASSERT_TRUE(QFile::link(target, link));
            const QByteArray folder = QFile::encodeName(dir.filePath(u"links"_s));
            ASSERT_EQ(::chown(folder.constData(), c.owner, gid_t(-1)), 0);
            ASSERT_EQ(::chmod(folder.constData(), c.mode), 0);
            const QString named = throughLink ? dir.filePath(u"beside"_s) : link;
            if (throughLink) {
                ASSERT_TRUE(QFile::link(link, named));
            }

            IniFile ini(named);
            ini.write(kSection, kKey, u"C:\\Novo.exe"_s);
            const bool saved = ini.save();
            EXPECT_TRUE(QFileInfo(link).isSymLink());
            if (c.followed) {
                EXPECT_EQ(ini.problem(), QString());
                EXPECT_TRUE(saved) << ini.reason().toStdString();
                EXPECT_EQ(dir.readFile(u"real/"_s + kFileName),
                          "; keep me\r\n[GestaoEmpresarial]\r\nModulo Caixa=C:\\Novo.exe\r\n");
                continue;
            }
            EXPECT_EQ(ini.refusal().kind, FileRefusal::Kind::UntrustedLink);
            EXPECT_EQ(ini.refusal().entry, link);
            EXPECT_FALSE(saved);
            EXPECT_TRUE(ini.reason().contains(link)) << ini.reason().toStdString();
            EXPECT_EQ(dir.readFile(u"real/"_s + kFileName), kOriginal);
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
            ::chmod(folder.constData(), 0700);
        }
    }
}

// Sets the immutable attribute (what "chattr +i" sets) for its lifetime:
// permission bits do not stop root, this does.
class Immutable
{
public:
    explicit Immutable(const QString &path) : m_path(QFile::encodeName(path)) { m_set = setFlag(true); }
    ~Immutable()
    {
        if (m_set)
            setFlag(false);
    }
    Immutable(const Immutable &) = delete;
    Immutable &operator=(const Immutable &) = delete;

    bool isSet() const { return m_set; }

private:
    bool setFlag(bool on) const
    {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QByteArray m_path;
    bool m_set = false;
};

constexpr const char *kNoImmutable = "cannot set the immutable attribute here (needs CAP_LINUX_IMMUTABLE and a file "
                                     "system that has it)";

TEST(IniFileSave, AnImmutableFileStaysAsItWas)
{
    TempDir dir;
    IniFile ini(dir.writeFile(kFileName, kOriginal));
    const Immutable immutable(ini.fileName());
    if (!immutable.isSet())
        GTEST_SKIP() << kNoImmutable;
    ini.write(kSection, kKey, u"C:\\Novo.exe"_s);
    expectRefused(ini, dir, kOriginal);
}

TEST(IniFileSave, AnImmutableDirectoryStaysAsItWas)
{
    TempDir dir;
    IniFile existing(dir.writeFile(kFileName, kOriginal));
    const Immutable immutable(dir.path());
    if (!immutable.isSet())
        GTEST_SKIP() << kNoImmutable;
    existing.write(kSection, kKey, u"C:\\Novo.exe"_s);
    expectRefused(existing, dir, kOriginal);

    IniFile fresh(dir.filePath(u"outro.ini"_s));
    fresh.write(kSection, kKey, u"x"_s);
    EXPECT_FALSE(fresh.save());
    EXPECT_EQ(fresh.errorString(), u"Unable to write to "_s + fresh.fileName());
    EXPECT_EQ(entriesOf(dir), QStringList{kFileName});
}

// What a child process reports through its exit code.
enum ChildResult : int
{
    Refused = 0,
    Saved = 1,
    WrongMessage = 2,
    CannotSetUp = 3,
};

// Runs `body` in a forked child; its exit code, or -1 when it did not exit normally.
int inChildProcess(const std::function<int()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Refused: with the box's exact text, and the system's reason beside it.
int saveNewCaixaPath(const QString &fileName, const QString &path, int reason)
{
    IniFile ini(fileName);
    ini.write(kSection, kKey, path);
    if (ini.save())
        return Saved;
    const bool rightMessage = ini.errorString() == u"Unable to write to "_s + fileName &&
                              ini.reason().endsWith(QString::fromLocal8Bit(std::strerror(reason)));
    return rightMessage ? Refused : WrongMessage;
}

// Root ignores permission bits, so the child gives up root for "nobody".
bool dropRoot()
{
    if (::geteuid() != 0)
        return true;
    constexpr uid_t nobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
}

// A user who may change the directory but not the file must not get the file
// replaced by the rename, nor a file it could not read wiped by its save.
TEST(IniFileSave, AFileTheUserMayNotWriteOrReadIsNotReplaced)
{
    const struct
    {
        const char *name;
        mode_t mode;
        int access; // what the user must not have, for the case to mean anything
    } cases[] = {{"read-only file", 0444, W_OK}, {"write-only file", 0222, R_OK}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString fileName = dir.writeFile(kFileName, kOriginal);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(fileName).constData(), c.mode), 0);
        const int result = inChildProcess([&] {
            const QByteArray probe = QFile::encodeName(dir.filePath(u"probe"_s));
            if (!dropRoot() || ::access(QFile::encodeName(fileName).constData(), c.access) == 0)
                return int(CannotSetUp);
            const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            if (fd < 0)
                return int(CannotSetUp); // the directory must be writable, or the case proves nothing
            ::close(fd);
            ::unlink(probe.constData());
            return saveNewCaixaPath(fileName, u"C:\\Novo.exe"_s, EACCES);
        });
        if (result == CannotSetUp)
            GTEST_SKIP() << "cannot run a child as a user with a writable directory and a " << c.name;
        EXPECT_EQ(result, Refused);
        EXPECT_EQ(dir.readFile(kFileName), kOriginal);
        EXPECT_EQ(entriesOf(dir), QStringList{kFileName});
        EXPECT_EQ(modeOf(fileName), c.mode);
    }
}

// The child may write no more than 1 KiB to any file, so the new content stops
// part way: once as a failed write (a full disk, a quota), once as a process
// killed in the middle. The small content fits in a write buffer, where a
// refused write would come to light only when the file is committed.
TEST(IniFileSave, AnInterruptedSaveLeavesTheFileAsItWas)
{
    for (const bool killed : {false, true}) {
        for (const int length : {3000, 200 * 1024}) {
            SCOPED_TRACE(std::string(killed ? "killed while writing " : "write fails at ") + std::to_string(length));
            TempDir dir;
            const QString fileName = dir.writeFile(kFileName, kOriginal);
            const int result = inChildProcess([&] {
                const rlimit fileSize{1024, 1024};
                const rlimit noCore{0, 0};
                if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0 || ::setrlimit(RLIMIT_CORE, &noCore) != 0)
                    return int(CannotSetUp);
                ::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
                return saveNewCaixaPath(fileName, QString(length, u'x'), EFBIG);
            });
            if (result == CannotSetUp)
                GTEST_SKIP() << "cannot limit the file size of a child process";
            EXPECT_EQ(result, killed ? -1 : int(Refused));
            EXPECT_EQ(dir.readFile(kFileName), kOriginal);
            // A killed process cannot clean up; only an unnamed temporary file
            // (O_TMPFILE, where the file system has it) never shows up at all.
            if (!killed) {
                EXPECT_EQ(entriesOf(dir), QStringList{kFileName});
            }
        }
    }
}

// One complete content of the file for the saves below: every key holds the
// same letter, repeated a number of times that differs between the contents,
// so that a file cut short or mixed from both is neither.
struct SavedContent
{
    char letter;
    int length;

    QString value() const { return QString(length, QLatin1Char(letter)); }
    QByteArray bytes(int keys) const
    {
        QByteArray bytes = "[Saves]\r\n";
        for (int key = 0; key < keys; ++key)
            bytes += "k" + QByteArray::number(key) + '=' + QByteArray(length, letter) + "\r\n";
        return bytes;
    }
};

// Saves one content after the other, for ever; tells `done` after each save,
// and ends with exit code 1 when a save fails.
[[noreturn]] void saveForEver(const QString &fileName, int keys, const SavedContent (&contents)[2], int done)
{
    for (;;) {
        IniFile ini(fileName);
        const SavedContent &next =
            ini.read(u"Saves", u"k0", {}).startsWith(QLatin1Char(contents[0].letter)) ? contents[1] : contents[0];
        for (int key = 0; key < keys; ++key)
            ini.write(u"Saves", QString(u"k"_s + QString::number(key)), next.value());
        if (!ini.save())
            ::_exit(1);
        (void)!::write(done, "s", 1);
    }
}

// SIGKILL at random moments of saves that alternate between two contents:
// the file is always one of them, and a killed save never stops the next.
// A kill between QSaveFile's link of its unnamed file and the rename leaves
// that link ("configuracoes.ini.XXXXXX", a complete copy) behind; it is not
// cleaned, as it may be another process's save under way, and no later save
// trips over it.
TEST(IniFileSave, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewContent)
{
    constexpr int kKills = 200;
    constexpr int kKeys = 64;
    const SavedContent contents[2] = {{'a', 100}, {'b', 300}};
    const QByteArray expected[2] = {contents[0].bytes(kKeys), contents[1].bytes(kKeys)};
    TempDir dir;
    const QString fileName = dir.writeFile(kFileName, expected[0]);
    int saved[2] = {};
    ASSERT_EQ(::pipe2(saved, O_CLOEXEC | O_NONBLOCK), 0);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> microseconds(0, 4000);
    int saves = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t pid = ::fork();
        if (pid == 0)
            saveForEver(fileName, kKeys, contents, saved[1]);
        ASSERT_GT(pid, 0);
        // Killed while saving again and again, not while starting.
        pollfd firstSave{saved[0], POLLIN, 0};
        const bool saving = ::poll(&firstSave, 1, 10000) == 1;
        if (saving)
            ::usleep(static_cast<useconds_t>(microseconds(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(saving && WIFSIGNALED(status)) << "no save succeeded after " << kill << " kills";

        char buffer[4096];
        for (ssize_t got; (got = ::read(saved[0], buffer, sizeof buffer)) > 0;)
            saves += int(got);
        const QByteArray onDisk = dir.readFile(kFileName);
        ASSERT_TRUE(onDisk == expected[0] || onDisk == expected[1])
            << "after " << kill + 1 << " kills the file holds " << onDisk.size() << " bytes of neither content";
    }
    ::close(saved[0]);
    ::close(saved[1]);
    std::cout << kKills << " kills survived, " << saves
              << " saves completed; files in the directory: " << entriesOf(dir).join(u' ').toStdString() << '\n';
}

} // namespace
} // namespace menugeral
