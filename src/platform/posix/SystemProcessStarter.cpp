#include "platform/SystemProcessStarter.h"

#include "platform/Notifier.h"
#include "platform/posix/ChildReaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <unistd.h>
#include <vector>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

bool isWindowsProgram(const QString &fileName)
{
    return fileName.endsWith(u".exe", Qt::CaseInsensitive);
}

// Starts the program in a session of its own, in `directory` (the current one
// when empty), with `environment` (the menu's own when null), no signal
// blocked, default signal actions and only descriptors 0 to 2 open; 0, or the
// system's reason (an errno value) for refusing the start.
//
// posix_spawn rather than QProcess::startDetached: Qt 6.4 forks the whole
// menu twice for a detached start, copying its page tables each time; a click
// took 3 to 4 times as long as a bare posix_spawn of the same program (about
// 5 ms), and takes 1.7 times as long this way (bench/latency_bench.cpp).
// glibc's posix_spawn shares the memory until the exec and reports a failed
// exec or chdir as its result. The program is then the menu's child, reaped
// when it ends; it outlives the menu all the same.
int spawnInNewSession(const QString &program, const QStringList &arguments, const QString &directory,
                      char *const *environment)
{
    // Absolute, because the program starts in `directory`.
    const QByteArray path = QFile::encodeName(QDir::current().absoluteFilePath(program));
    std::vector<QByteArray> encoded{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        encoded.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    const QByteArray workingDirectory = QFile::encodeName(directory);
    if (!directory.isEmpty())
        ::posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.constData());
    // Whatever the menu holds or was given without close-on-exec (its lock,
    // sockets, a descriptor of whoever started it) is none of the module's.
    ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t child = 0;
    const int error = ::posix_spawn(&child, path.constData(), &actions, &attributes, argv.data(),
                                    environment != nullptr ? environment : environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (error == 0)
        reapWhenEnded(child);
    return error;
}

// Starts the program detached, a non-executable Windows program through wine;
// a start the system refuses is reported in a box with the caption given.
void startDetached(QString program, QStringList arguments, const QString &directory, const QString &caption,
                   const std::optional<QByteArrayList> &environment, Notifier &notifier)
{
    // A Windows program is opened the way the desktop would open it: through
    // the compatibility layer, when one is installed. Without it the start is
    // tried as it is and refused like any other.
    if (isWindowsProgram(program) && !QFileInfo(program).isExecutable()) {
        const QString wine = QStandardPaths::findExecutable(u"wine"_s);
        if (!wine.isEmpty()) {
            arguments.prepend(program);
            program = wine;
        }
    }
    std::vector<char *> entries;
    if (environment) {
        for (const QByteArray &entry : *environment)
            entries.push_back(const_cast<char *>(entry.constData()));
        entries.push_back(nullptr);
    }
    if (const int error = spawnInNewSession(program, arguments, directory, environment ? entries.data() : nullptr))
        notifier.error(caption, QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

SystemProcessStarter::SystemProcessStarter(Notifier &notifier, std::optional<QByteArrayList> environment)
    : m_notifier(notifier), m_environment(std::move(environment))
{}

void SystemProcessStarter::startProgram(const LaunchRequest &request)
{
    startDetached(request.program, QProcess::splitCommand(request.parameters), request.directory, request.fileName,
                  m_environment, m_notifier);
}

void SystemProcessStarter::runCommandLine(const CommandLineRequest &request)
{
    // Split like a command line, but never handed to a shell: nothing in the
    // configuration file is interpreted beyond quotes and blanks.
    startDetached(request.program, QProcess::splitCommand(request.arguments), QDir::currentPath(),
                  QFileInfo(QDir::cleanPath(request.program)).fileName(), m_environment, m_notifier);
}

} // namespace menugeral
