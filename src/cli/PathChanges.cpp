#include "cli/PathChanges.h"

#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"
#include "core/IniValue.h"
#include "core/ModuleCatalogue.h"
#include "system/FileUpdateLock.h"

#include <QFileInfo>

#include <algorithm>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.trimmed().compare(b, Qt::CaseInsensitive) == 0;
}

QString quoted(QStringView text)
{
    return u'"' + text + u'"';
}

// Why a save through this file name failed, as precisely as the file system tells.
QString saveFailure(const QString &fileName, const QString &fallback)
{
    QFileInfo target(fileName);
    if (target.isSymLink())
        target.setFile(target.symLinkTarget());
    const QFileInfo folder(target.absolutePath());
    const auto groupNote = [](const QFileInfo &info) -> QString {
        if (info.group().isEmpty() || !info.permission(QFile::WriteGroup))
            return QString();
        return u" (members of group "_s + info.group() + u" may; a new membership counts from the next login)"_s;
    };
    if (target.exists() && !target.isWritable())
        return u"the file "_s + target.filePath() + u" is not writable by this user"_s + groupNote(target);
    if (!folder.isWritable())
        return u"its folder "_s + folder.filePath() +
               u" is not writable by this user, and a save writes a new file there"_s + groupNote(folder);
    return fallback;
}

} // namespace

std::optional<std::size_t> findModule(QStringView labelOrKey)
{
    const auto modules = ModuleCatalogue::entries();
    const auto found = std::ranges::find_if(modules, [&](const ModuleEntry &module) {
        return sameName(labelOrKey, module.settingsLabel) || sameName(labelOrKey, module.key);
    });
    if (found == modules.end())
        return std::nullopt;
    return std::size_t(found - modules.begin());
}

std::variant<std::vector<PathChange>, QString> parsePathChanges(const QStringList &sets, const QStringList &unsets)
{
    std::vector<PathChange> changes;
    const auto add = [&](QStringView name, const QString &path) -> QString {
        const auto module = findModule(name);
        if (!module)
            return u"no module is called "_s + quoted(name) + u"; menugeral --check lists the labels and keys"_s;
        if (std::ranges::any_of(changes, [&](const PathChange &change) { return change.module == *module; }))
            return u"the module "_s + quoted(ModuleCatalogue::at(*module).settingsLabel) + u" is named twice"_s;
        changes.push_back({*module, path});
        return {};
    };
    for (const QString &set : sets) {
        // Labels and keys hold no "=", paths may.
        const qsizetype equals = set.indexOf(u'=');
        if (equals < 0)
            return u"--set needs \"<label or key>=<path>\", not "_s + quoted(set);
        if (QString why = add(QStringView(set).first(equals), set.sliced(equals + 1)); !why.isEmpty())
            return why;
    }
    for (const QString &unset : unsets) {
        if (QString why = add(unset, QString()); !why.isEmpty())
            return why;
    }
    return changes;
}

QString applyPathChanges(const QString &fileName, const std::vector<PathChange> &changes)
{
    for (const PathChange &change : changes) {
        const QString label = quoted(ModuleCatalogue::at(change.module).settingsLabel);
        switch (ini::valueFault(change.path)) {
        case ini::ValueFault::None:
            break;
        case ini::ValueFault::ControlCharacter:
            return u"the path of module "_s + label + u" holds a line break, a NUL or another control character"_s;
        case ini::ValueFault::ChangedOnRead:
            return u"the path of module "_s + label + u" would not read back as given: it is longer than "_s +
                   QString::number(ini::kMaxValueLength) +
                   u" characters, or starts or ends with a blank, or is enclosed in quotes"_s;
        }
    }

    // From the read to the rename, no other save may come in between: it
    // would be lost.
    const FileUpdateLock lock(fileName);
    if (!lock.isLocked())
        return saveFailure(fileName, u"it cannot be locked against other saves: "_s + lock.errorString());
    IniFile ini(fileName);
    if (const QString problem = ini.problem(); !problem.isEmpty())
        return problem;
    ConfiguredPaths paths = readConfiguredPaths(ini);
    for (const PathChange &change : changes)
        paths[change.module] = change.path;
    // The window's refusal, in catalogue order: a path it cannot hold, also
    // one read from the file with a NUL in it, fails before anything is written.
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i) {
        if (!ini.canStore(paths[i]))
            return u"the path of module "_s + quoted(ModuleCatalogue::at(i).settingsLabel) +
                   u" holds a line break, a NUL or a character this file's encoding cannot store"_s;
    }
    if (!saveConfiguredPaths(ini, paths))
        return saveFailure(fileName, ini.errorString() + u": "_s + ini.reason());
    return {};
}

} // namespace menugeral
