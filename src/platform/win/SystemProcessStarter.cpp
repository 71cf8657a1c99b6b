#include "platform/SystemProcessStarter.h"

#include "platform/Notifier.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>

#include <string>

// shellapi.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace menugeral {
namespace {

// The owner of any box the shell shows about the start.
HWND applicationWindow()
{
    const QWindow *window = QGuiApplication::focusWindow();
    return window != nullptr ? reinterpret_cast<HWND>(window->winId()) : nullptr;
}

// The system's own text for an error code, in the desk's language.
QString systemMessage(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message =
        length > 0 ? QString::fromWCharArray(text, int(length)).trimmed() : QStringLiteral("Error %1").arg(error);
    LocalFree(text);
    return message;
}

} // namespace

// The environment is the menu's own here, which it never changes: the shell
// start cannot be given another.
SystemProcessStarter::SystemProcessStarter(Notifier &notifier, std::optional<QByteArrayList> environment)
    : m_notifier(notifier), m_environment(std::move(environment))
{}

void SystemProcessStarter::startProgram(const LaunchRequest &request)
{
    // The strings must outlive the call; empty parameters and directory are
    // passed as empty texts, not as null.
    const std::wstring file = request.fileName.toStdWString();
    const std::wstring parameters = request.parameters.toStdWString();
    const std::wstring directory = request.directory.toStdWString();

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = applicationWindow();
    info.lpVerb = nullptr;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = SW_SHOWNORMAL;

    // The shell reports a refused start in a box of its own, so the result is
    // not examined here. The process handle is not used, only released.
    if (ShellExecuteExW(&info) && info.hProcess != nullptr)
        CloseHandle(info.hProcess);
}

void SystemProcessStarter::runCommandLine(const CommandLineRequest &request)
{
    // The program is named apart, so that the system neither searches for it
    // nor tries the text's shorter starts at its blanks; the child sees it
    // quoted, as a program path with blanks must be, then the rest as written.
    // CreateProcessW may write into the command line, so it gets its own copy.
    const std::wstring program = QDir::toNativeSeparators(request.program).toStdWString();
    QString commandLine = u'"' + QDir::toNativeSeparators(request.program) + u'"';
    if (!request.arguments.isEmpty())
        commandLine += u' ' + request.arguments;
    std::wstring buffer = commandLine.toStdWString();

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};

    // Its handles are only released; a start the system refuses is reported
    // as a module start is, in a box captioned with the program's name.
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        const DWORD error = GetLastError();
        m_notifier.error(QFileInfo(QDir::fromNativeSeparators(request.program)).fileName(), systemMessage(error));
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace menugeral
