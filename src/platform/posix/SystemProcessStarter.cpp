#include "platform/SystemProcessStarter.h"

#include "platform/Notifier.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

// The program's full name; a request without a directory means the current one,
// never the search path.
QString programPath(const LaunchRequest &request)
{
    if (request.directory.isEmpty())
        return QDir::current().absoluteFilePath(request.fileName);
    if (request.directory.endsWith(u'/'))
        return request.directory + request.fileName;
    return request.directory + u'/' + request.fileName;
}

bool isWindowsProgram(const QString &fileName)
{
    return fileName.endsWith(u".exe", Qt::CaseInsensitive);
}

// Where a bare program name of a command line is found: the first directory
// of the search path that holds a file of that name which can be started
// (executable, or a Windows program for wine). Relative entries are skipped,
// so the current directory is never searched.
QString findOnSearchPath(const QString &name)
{
    for (const QString &directory : qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isRelativePath(directory))
            continue;
        const QFileInfo candidate(QDir(directory), name);
        if (candidate.isFile() && (candidate.isExecutable() || isWindowsProgram(name)))
            return candidate.absoluteFilePath();
    }
    return {};
}

// Starts the program detached, a non-executable Windows program through wine;
// a start the system refuses is reported in a box with the caption given.
void startDetached(QString program, QStringList arguments, const QString &directory, const QString &caption,
                   Notifier &notifier)
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

    // A detached start: the program outlives the menu and, started through a
    // double fork, never becomes our zombie. The QProcess object is only there
    // to learn why a start was refused.
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        notifier.error(caption, process.errorString());
}

} // namespace

SystemProcessStarter::SystemProcessStarter(Notifier &notifier) : m_notifier(notifier)
{}

void SystemProcessStarter::startProgram(const LaunchRequest &request)
{
    if (request.fileName.isEmpty())
        return;
    startDetached(programPath(request), QProcess::splitCommand(request.parameters), request.directory, request.fileName,
                  m_notifier);
}

void SystemProcessStarter::runCommandLine(const QString &commandLine)
{
    // Split like a command line, but never handed to a shell: nothing in the
    // configuration file is interpreted beyond quotes and blanks.
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return;
    const QString typed = arguments.takeFirst();
    const QString caption = QFileInfo(QDir::cleanPath(typed)).fileName();
    const QString program = typed.contains(u'/') ? typed : findOnSearchPath(typed);
    if (program.isEmpty()) {
        m_notifier.error(caption, QString::fromLocal8Bit(std::strerror(ENOENT)));
        return;
    }
    startDetached(program, arguments, QDir::currentPath(), caption, m_notifier);
}

} // namespace menugeral
