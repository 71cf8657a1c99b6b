#include "platform/SystemProcessStarter.h"

#include "platform/Notifier.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

} // namespace

SystemProcessStarter::SystemProcessStarter(Notifier &notifier) : m_notifier(notifier)
{}

void SystemProcessStarter::startProgram(const LaunchRequest &request)
{
    if (request.fileName.isEmpty())
        return;

    QString program = programPath(request);
    QStringList arguments = QProcess::splitCommand(request.parameters);
    // A Windows program is opened the way the desktop would open it: through
    // the compatibility layer, when one is installed. Without it the start is
    // tried as it is and refused like any other.
    if (isWindowsProgram(request.fileName) && !QFileInfo(program).isExecutable()) {
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
    if (!request.directory.isEmpty())
        process.setWorkingDirectory(request.directory);
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        m_notifier.error(request.fileName, process.errorString());
}

void SystemProcessStarter::runCommandLine(const QString &commandLine)
{
    // Split like a command line, but never handed to a shell: nothing in the
    // configuration file is interpreted beyond quotes and blanks.
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return;
    QString program = arguments.takeFirst();
    if (!program.contains(u'/'))
        program = QStandardPaths::findExecutable(program);
    if (program.isEmpty())
        return;
    // Like a plain command-line start, the outcome is not examined.
    QProcess::startDetached(program, arguments, QDir::currentPath());
}

} // namespace menugeral
