#include "cli/ModuleCheck.h"

#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"
#include "core/IniValue.h"
#include "core/ModuleCatalogue.h"
#include "system/GuardedFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

struct StateName
{
    PathState state;
    QStringView text;
    QStringView id;
};

constexpr StateName kStateNames[] = {
    {PathState::Startable, u"startable", u"startable"},
    {PathState::Empty, u"empty", u"empty"},
    {PathState::Invalid, u"invalid", u"invalid"},
    {PathState::NotFound, u"not found", u"not-found"},
    {PathState::NotExecutable, u"not executable", u"not-executable"},
};

const StateName &nameOf(PathState state)
{
    return *std::ranges::find(kStateNames, state, &StateName::state);
}

// Why there is no file for the menu to read, or nothing.
QString missingProblem(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (info.exists())
        return {};
    return info.isSymLink() ? u"it is a link to "_s + info.symLinkTarget() + u", which does not exist"_s
                            : u"it does not exist (the menu asks for F12 at start)"_s;
}

// JSON leaves DEL and C1 characters raw, which a terminal may still obey:
// the same characters as \u escapes, which only strings can hold.
QByteArray withEscapedControls(const QByteArray &json)
{
    QByteArray escaped;
    escaped.reserve(json.size());
    for (qsizetype i = 0; i < json.size(); ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        const bool c1 = byte == 0xC2 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(json[i + 1]) <= 0x9F;
        if (byte == 0x7F || c1) {
            const unsigned code = c1 ? static_cast<unsigned char>(json[++i]) : byte;
            escaped += "\\u00" + QByteArray::number(code, 16);
        } else {
            escaped += json[i];
        }
    }
    return escaped;
}

} // namespace

bool CheckReport::passed() const
{
    return problem.isEmpty() && ownership.isEmpty() && std::ranges::all_of(modules, [](const ModuleStatus &status) {
               return status.state == PathState::Startable || status.state == PathState::Empty;
           });
}

QString stateText(PathState state)
{
    return nameOf(state).text.toString();
}

QString stateId(PathState state)
{
    return nameOf(state).id.toString();
}

CheckReport checkConfiguration(const QString &fileName, PathSyntax syntax)
{
    CheckReport report{fileName, {}, false, ownershipProblem(fileName), {}};
    const IniFile ini(fileName);
    report.problem = ini.problem();
    report.refused = !report.problem.isEmpty();
    if (!report.refused)
        report.problem = missingProblem(fileName);
    const ConfiguredPaths paths = report.problem.isEmpty() ? readConfiguredPaths(ini) : ConfiguredPaths{};
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i)
        report.modules.push_back({&ModuleCatalogue::at(i), paths[i], parsePath(paths[i], syntax).state});
    return report;
}

QString checkTable(const CheckReport &report)
{
    const QString headings[] = {u"Label"_s, u"Key"_s, u"State"_s};
    qsizetype labelWidth = headings[0].size();
    qsizetype keyWidth = headings[1].size();
    qsizetype stateWidth = headings[2].size();
    for (const ModuleStatus &status : report.modules) {
        labelWidth = std::max(labelWidth, status.module->settingsLabel.size());
        keyWidth = std::max(keyWidth, status.module->key.size());
        stateWidth = std::max(stateWidth, stateText(status.state).size());
    }
    const auto row = [&](QStringView label, QStringView key, const QString &state, const QString &path) -> QString {
        return label.toString().leftJustified(labelWidth) + u"  "_s + key.toString().leftJustified(keyWidth) + u"  "_s +
               (path.isEmpty() ? state : state.leftJustified(stateWidth) + u"  "_s + path) + u'\n';
    };

    QString table = u"File: "_s + report.fileName + u'\n';
    if (!report.problem.isEmpty())
        table += u"Problem: "_s + report.problem + u'\n';
    if (!report.ownership.isEmpty())
        table += u"Ownership: "_s + report.ownership + u'\n';
    table += u'\n' + row(headings[0], headings[1], headings[2], u"Path"_s);
    for (const ModuleStatus &status : report.modules)
        table += row(status.module->settingsLabel, status.module->key, stateText(status.state), status.path);
    const auto count = [&](auto pick) {
        return std::ranges::count_if(report.modules, [&](const ModuleStatus &status) { return pick(status.state); });
    };
    const auto startable = count([](PathState state) { return state == PathState::Startable; });
    const auto empty = count([](PathState state) { return state == PathState::Empty; });
    table += u"\n%1 startable, %2 empty, %3 that cannot be started.\n"_s.arg(startable).arg(empty).arg(
        qsizetype(report.modules.size()) - startable - empty);
    return ini::withVisibleControls(table);
}

QByteArray checkJson(const CheckReport &report)
{
    QJsonArray modules;
    for (const ModuleStatus &status : report.modules) {
        modules.append(QJsonObject{
            {u"label"_s, status.module->settingsLabel.toString()},
            {u"section"_s, status.module->section.toString()},
            {u"key"_s, status.module->key.toString()},
            {u"path"_s, status.path},
            {u"state"_s, stateId(status.state)},
        });
    }
    const QJsonObject document{
        {u"file"_s, report.fileName},
        {u"problem"_s, report.problem.isEmpty() ? QJsonValue() : QJsonValue(report.problem)},
        {u"ownership"_s, report.ownership.isEmpty() ? QJsonValue() : QJsonValue(report.ownership)},
        {u"passed"_s, report.passed()},
        {u"modules"_s, modules},
    };
    return withEscapedControls(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace menugeral
