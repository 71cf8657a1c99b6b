#include "cli/CommandLine.h"

#include "cli/ModuleCheck.h"
#include "cli/PathChanges.h"
#include "core/ModuleCatalogue.h"
#include "core/ModulePath.h"
#include "core/ProgramDirectory.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>

#include <algorithm>
#include <string_view>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

// Exit codes besides 0: a check that found a path that cannot be started, and
// a command that was refused or could not be carried out.
constexpr int kCheckFailed = 1;
constexpr int kRefused = 2;

struct QtOption
{
    std::string_view name;
    bool takesValue;
};

// The options QGuiApplication and QApplication take for themselves (as
// documented for both, on every platform). Only these leave the menu to start.
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},        {"qwindowtitle", true},  {"session", true},
    {"display", true},         {"geometry", true},           {"style", true},         {"stylesheet", true},
    {"reverse", false},        {"widgetcount", false},       {"nograb", false},       {"dograb", false},
    {"sync", false},           {"qmljsdebugger", false},
};

// The arguments less Qt's own options and their values: what the commands
// read. Qt's options are left to the menu's application, which reads them
// itself; a plain application would take "-platform" for eight short options.
QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList own;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QStringView argument = arguments[i];
        if (argument.size() < 2 || argument.front() != u'-') {
            own.append(arguments[i]);
            continue;
        }
        // Qt reads "--name" as "-name", and "-name=value" as well.
        argument = argument.sliced(argument.startsWith(u"--") ? 2 : 1);
        const qsizetype equals = argument.indexOf(u'=');
        const QStringView name = equals < 0 ? argument : argument.first(equals);
        const auto qt = std::ranges::find_if(kQtOptions, [name](const QtOption &option) {
            return name == QLatin1String(option.name.data(), qsizetype(option.name.size()));
        });
        if (qt == std::end(kQtOptions))
            own.append(arguments[i]);
        else if (qt->takesValue && equals < 0)
            ++i;
    }
    return own;
}

// True when the arguments hold anything but Qt's own options: a command, or
// a word the menu would not understand, which is refused here, before anything
// needs a display.
bool asksForCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return !withoutQtOptions(arguments).isEmpty();
}

class Commands
{
public:
    Commands()
        : m_check(u"check"_s, u"List every module with its path and whether it can be started. "
                              u"Exit code 0 when every configured path can be started, 1 otherwise, 2 when the file "
                              u"was refused unread."_s),
          m_json(u"json"_s, u"With --check: write the list as JSON."_s),
          m_set(u"set"_s,
                u"Set a module's path, as the settings window saves it. The module is named by its label or its "
                u"key, as --check lists them. May be given more than once."_s,
                u"module=path"_s),
          m_unset(u"unset"_s, u"Empty a module's path. May be given more than once."_s, u"module"_s),
          m_configFile(u"config-file"_s, u"Print the full name of the configuration file the menu reads."_s)
    {
        m_parser.setApplicationDescription(
            u"Menu Geral: starts the modules of the management system.\n"
            u"Without options it shows the menu. The options below configure it without a display; "
            u"--set and --unset exit with 2 when nothing could be saved, naming the file and the reason."_s);
        m_parser.addHelpOption();
        m_parser.addVersionOption();
        m_parser.addOptions({m_check, m_json, m_set, m_unset, m_configFile});
    }

    // The exit code; a command whose output could not all be written fails,
    // whatever it did besides.
    int run(const QStringList &arguments)
    {
        const int code = runCommands(arguments);
        m_out.flush();
        if (m_out.status() == QTextStream::Ok)
            return code;
        m_err << u"menugeral: cannot write to standard output: "_s << m_out.device()->errorString() << u'\n';
        return kRefused;
    }

private:
    int runCommands(const QStringList &arguments)
    {
        if (!m_parser.parse(arguments))
            return usageError(m_parser.errorText());
        if (m_parser.isSet(u"help"_s) || m_parser.isSet(u"help-all"_s)) {
            m_out << m_parser.helpText();
            return 0;
        }
        if (m_parser.isSet(u"version"_s)) {
            m_out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion() << u'\n';
            return 0;
        }
        if (!m_parser.positionalArguments().isEmpty())
            return usageError(u"unexpected argument \""_s + m_parser.positionalArguments().constFirst() + u'"');
        if (m_parser.isSet(m_json) && !m_parser.isSet(m_check))
            return usageError(u"--json goes with --check"_s);

        const QString fileName = ExecutableDirectory().configFileName();
        if (m_parser.isSet(m_configFile))
            m_out << fileName << u'\n';
        if (m_parser.isSet(m_set) || m_parser.isSet(m_unset)) {
            if (const int code = change(fileName); code != 0)
                return code;
        }
        if (m_parser.isSet(m_check))
            return check(fileName);
        return 0;
    }

    int usageError(const QString &why)
    {
        m_err << u"menugeral: "_s << why << u" (see menugeral --help)\n"_s;
        return kRefused;
    }

    int change(const QString &fileName)
    {
        const auto parsed = parsePathChanges(m_parser.values(m_set), m_parser.values(m_unset));
        QString why = std::holds_alternative<QString>(parsed)
                          ? std::get<QString>(parsed)
                          : applyPathChanges(fileName, std::get<std::vector<PathChange>>(parsed));
        if (!why.isEmpty()) {
            m_err << u"menugeral: nothing saved to "_s << fileName << u": "_s << why << u'\n';
            return kRefused;
        }
        // Saved as the window saves, also a path that cannot be started yet
        // (the program may be installed later); but say so.
        for (const PathChange &change : std::get<std::vector<PathChange>>(parsed)) {
            const PathState state = parsePath(change.path, nativePathSyntax()).state;
            if (state != PathState::Startable && state != PathState::Empty)
                m_err << u"menugeral: note: the path of "_s << ModuleCatalogue::at(change.module).settingsLabel
                      << u" is "_s << stateText(state) << u": "_s << change.path << u'\n';
        }
        return 0;
    }

    int check(const QString &fileName)
    {
        const CheckReport report = checkConfiguration(fileName, nativePathSyntax());
        if (m_parser.isSet(m_json))
            m_out << QString::fromUtf8(checkJson(report));
        else
            m_out << checkTable(report);
        if (report.refused)
            return kRefused;
        return report.passed() ? 0 : kCheckFailed;
    }

    QCommandLineParser m_parser;
    QCommandLineOption m_check;
    QCommandLineOption m_json;
    QCommandLineOption m_set;
    QCommandLineOption m_unset;
    QCommandLineOption m_configFile;
    QTextStream m_out{stdout};
    QTextStream m_err{stderr};
};

} // namespace

std::optional<int> runCommandLine(int argc, char **argv)
{
    if (!asksForCommandLine(argc, argv))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"menugeral"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(MENUGERAL_VERSION));
    QStringList arguments = QCoreApplication::arguments();
    const QString program = arguments.takeFirst();
    return Commands().run(QStringList{program} + withoutQtOptions(arguments));
}

} // namespace menugeral
