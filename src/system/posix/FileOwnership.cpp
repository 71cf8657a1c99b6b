#include "system/GuardedFile.h"
#include "system/posix/TrustedEntry.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// A name as a shell takes it back unchanged.
QString shellWord(const QString &text)
{
    static const QRegularExpression plain(u"^[A-Za-z0-9_./-]+$"_s);
    if (plain.match(text).hasMatch())
        return text;
    return u'\'' + QString(text).replace(u"'"_s, u"'\\''"_s) + u'\'';
}

struct Group
{
    QString name;
    std::vector<QByteArray> members;
};

std::optional<Group> groupOf(gid_t gid)
{
    std::vector<char> buffer(1 << 16);
    group entry = {};
    group *found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::nullopt;
    Group result{QString::fromLocal8Bit(found->gr_name), {}};
    for (char **member = found->gr_mem; member && *member; ++member)
        result.members.emplace_back(*member);
    return result;
}

// The user's name, and whether the group is theirs, as primary or as a member.
std::pair<QString, bool> userInGroup(uid_t uid, gid_t gid, const Group &group)
{
    std::vector<char> buffer(1 << 16);
    passwd entry = {};
    passwd *found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {QString::number(uid), false};
    const QByteArray name = found->pw_name;
    const bool member = found->pw_gid == gid || std::ranges::find(group.members, name) != group.members.end();
    return {QString::fromLocal8Bit(name), member};
}

} // namespace

QString ownershipProblem(const QString &fileName)
{
    if (::geteuid() != 0)
        return {};
    const posix::TrustedEntry entry = posix::resolveTrustedEntry(fileName);
    struct stat file = {};
    struct stat folder = {};
    if (!entry.folder.isValid() || entry.refusal.kind != FileRefusal::Kind::None ||
        ::fstatat(entry.folder.get(), entry.name.constData(), &file, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(file.st_mode) || ::fstat(entry.folder.get(), &folder) != 0)
        return {};
    const std::optional<Group> group = groupOf(folder.st_gid);
    const QString groupName = group ? group->name : QString::number(folder.st_gid);

    QStringList faults;
    if (file.st_uid != 0) {
        const auto [owner, member] =
            group ? userInGroup(file.st_uid, folder.st_gid, *group) : std::pair{QString::number(file.st_uid), false};
        if (!member)
            faults << u"it belongs to %1, who is neither root nor in group %2"_s.arg(owner, groupName);
    }
    if (file.st_mode & S_IWOTH)
        faults << u"everyone may write it"_s;
    if (faults.isEmpty())
        return {};
    const QString name = shellWord(entry.path);
    return faults.join(u", and "_s) +
           u"; to mend it, run: chown root:%1 %2 && chmod 664 %2"_s.arg(shellWord(groupName), name);
}

} // namespace menugeral
