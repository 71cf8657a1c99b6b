#include "harness/Desktop.h"

#include "WindowManagerCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <unistd.h>
#include <utility>

namespace menugeral::e2e {
using namespace Qt::StringLiterals;
namespace {

constexpr int kToolTimeoutMs = 10000;

QList<quint64> hexIds(const QByteArray &text)
{
    QList<quint64> ids;
    static const QRegularExpression hex(u"0x[0-9a-fA-F]+"_s);
    for (const auto &match : hex.globalMatch(QString::fromLatin1(text))) {
        bool ok = false;
        const quint64 id = match.captured().toULongLong(&ok, 16);
        if (ok && id != 0)
            ids << id;
    }
    return ids;
}

// xdotool prints decimal ids, one a line, and fails when none matches.
QList<quint64> decimalIds(const QByteArray &text)
{
    QList<quint64> ids;
    for (const QByteArray &line : text.split('\n')) {
        bool ok = false;
        const quint64 id = line.trimmed().toULongLong(&ok);
        if (ok)
            ids << id;
    }
    return ids;
}

// How each window manager is started: xfwm4 reads its settings over a D-Bus
// session bus, which it gets a private one of.
QStringList windowManagerCommand(const QString &windowManager)
{
    if (windowManager == u"xfwm4")
        return {u"dbus-run-session"_s, u"--"_s, u"xfwm4"_s, u"--compositor=off"_s};
    if (windowManager == u"openbox")
        return {u"openbox"_s, u"--sm-disable"_s};
    return {windowManager};
}

// The window manager runs in a process group of its own, which goes whole:
// its bus and the services that bus started with it.
void stopGroup(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(-pid_t(process.processId()), SIGTERM);
    if (!process.waitForFinished(2000)) {
        ::kill(-pid_t(process.processId()), SIGKILL);
        process.waitForFinished(2000);
    }
}

} // namespace

QString endOf(const QProcess &process)
{
    if (process.exitStatus() == QProcess::CrashExit)
        return u"crashed ("_s + process.errorString() + u')';
    return u"exit code "_s + QString::number(process.exitCode());
}

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout.count())
            return condition();
        QThread::msleep(30);
        // Lets QProcess see its children end.
        QCoreApplication::processEvents();
    }
    return true;
}

QString windowIdText(quint64 window)
{
    return u"0x"_s + QString::number(window, 16);
}

Desktop::Desktop() = default;

Desktop::~Desktop()
{
    stopGroup(m_windowManager);
}

QStringList Desktop::missingTools()
{
    QStringList missing;
    for (const QString &tool : {u"Xvfb"_s, u"openbox"_s, u"xdotool"_s, u"xprop"_s, u"xwininfo"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing;
}

bool Desktop::hasWindowManager(const QString &windowManager)
{
    const QStringList command = windowManagerCommand(windowManager);
    return std::all_of(command.begin(), command.end(), [](const QString &word) {
        return word.startsWith(u'-') || !QStandardPaths::findExecutable(word).isEmpty();
    });
}

std::optional<QString> Desktop::start(const QString &windowManager)
{
    m_windowManagerName = windowManager;
    if (const auto problem = m_server.start())
        return problem;

    QProcessEnvironment wmEnvironment = environment();
    wmEnvironment.insert(u"NO_AT_BRIDGE"_s, u"1"_s); // no accessibility bus to start and leave behind
    m_windowManager.setProcessEnvironment(wmEnvironment);
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(windowManagerLog());
    m_windowManager.setChildProcessModifier([] { ::setsid(); });
    QStringList command = windowManagerCommand(windowManager);
    const QString program = command.takeFirst();
    m_windowManager.start(program, command);
    if (!m_windowManager.waitForStarted())
        return windowManager + u" did not start: "_s + m_windowManager.errorString();
    return waitForWindowManager();
}

QString Desktop::windowManagerLog() const
{
    return m_home.path() + u'/' + m_windowManagerName + u".log"_s;
}

QStringList Desktop::troubles() const
{
    QCoreApplication::processEvents(); // lets the processes notice an end
    QStringList troubles;
    for (const auto &[name, process] :
         {std::pair{u"Xvfb"_s, &m_server.process()}, std::pair{m_windowManagerName, &m_windowManager}}) {
        if (process->state() == QProcess::NotRunning)
            troubles << name + u" ended: "_s + endOf(*process);
    }
    QFile log(windowManagerLog());
    if (log.open(QIODevice::ReadOnly) && log.size() > 0)
        troubles << m_windowManagerName + u" said: "_s + QString::fromLocal8Bit(log.readAll()).trimmed();
    return troubles;
}

std::optional<QString> Desktop::waitForWindowManager()
{
    // The window manager announces itself on the root window once it runs.
    const bool ready = waitUntil(
        [this] {
            return run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}).output.contains("window id");
        },
        10s);
    if (!ready)
        return m_windowManagerName + u" did not take over display "_s + m_server.display();
    if (!test::windowManagerTakesInWindows(m_server.display()))
        return m_windowManagerName + u" did not take in a new window on display "_s + m_server.display();
    return std::nullopt;
}

QProcessEnvironment Desktop::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"WAYLAND_DISPLAY"_s, u"XAUTHORITY"_s, u"XDG_CONFIG_HOME"_s,
                                u"XDG_CACHE_HOME"_s, u"XDG_DATA_HOME"_s})
        environment.remove(name);
    environment.insert(u"DISPLAY"_s, m_server.display());
    environment.insert(u"HOME"_s, m_home.path());
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
    return environment;
}

QString Desktop::runtimeDirectory() const
{
    return m_runtime.path();
}

ToolRun Desktop::run(const QString &program, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    ToolRun result;
    result.finished = process.waitForFinished(kToolTimeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    return result;
}

QList<quint64> Desktop::managedWindowsOfClass(const QByteArray &windowClass) const
{
    QList<quint64> windows;
    const QByteArray list = run(u"xprop"_s, {u"-root"_s, u"-notype"_s, u"_NET_CLIENT_LIST"_s}).output;
    for (const quint64 window : hexIds(list.mid(list.indexOf('#') + 1))) {
        // WM_CLASS = "instance", "class"
        const QByteArray line = run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"-notype"_s, u"WM_CLASS"_s}).output;
        const QList<QByteArray> parts = line.split('"');
        if (parts.size() >= 4 && parts.at(3) == windowClass)
            windows << window;
    }
    return windows;
}

QList<quint64> Desktop::visibleWindowsTitled(const QString &title) const
{
    const QString pattern = u'^' + QRegularExpression::escape(title) + u'$';
    return decimalIds(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, pattern}).output);
}

QList<quint64> Desktop::visibleWindowsOfClass(const QByteArray &windowClass) const
{
    const QString pattern = u'^' + QRegularExpression::escape(QString::fromLatin1(windowClass)) + u'$';
    return decimalIds(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--class"_s, pattern}).output);
}

std::optional<quint64> Desktop::activeWindow() const
{
    const QByteArray line = run(u"xprop"_s, {u"-root"_s, u"-notype"_s, u"_NET_ACTIVE_WINDOW"_s}).output;
    const QList<quint64> ids = hexIds(line.mid(line.indexOf('#') + 1));
    if (ids.isEmpty())
        return std::nullopt;
    return ids.first();
}

WindowState Desktop::state(quint64 window) const
{
    const QByteArray text = run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"WM_STATE"_s}).output;
    if (text.contains("window state: Normal"))
        return WindowState::Normal;
    if (text.contains("window state: Iconic"))
        return WindowState::Iconic;
    if (text.contains("window state: Withdrawn") || text.contains("not found"))
        return WindowState::Withdrawn;
    return WindowState::Unknown;
}

bool Desktop::isViewable(quint64 window) const
{
    return run(u"xwininfo"_s, {u"-id"_s, windowIdText(window)}).output.contains("Map State: IsViewable");
}

QRect Desktop::geometry(quint64 window) const
{
    // Absolute upper-left X:  100 / Width: 780 ...
    const QString info = QString::fromLatin1(run(u"xwininfo"_s, {u"-id"_s, windowIdText(window)}).output);
    auto field = [&info](const QString &name) {
        static const QRegularExpression spaces(u"\\s+"_s);
        const qsizetype at = info.indexOf(name);
        if (at < 0)
            return -1;
        return info.mid(at + name.size()).trimmed().split(spaces).first().toInt();
    };
    return {field(u"Absolute upper-left X:"_s), field(u"Absolute upper-left Y:"_s), field(u"Width:"_s),
            field(u"Height:"_s)};
}

QRect Desktop::frameGeometry(quint64 window) const
{
    // _NET_FRAME_EXTENTS = left, right, top, bottom
    const QByteArray line = run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"_NET_FRAME_EXTENTS"_s}).output;
    QList<int> extents;
    for (const QByteArray &field : line.mid(line.indexOf('=') + 1).split(','))
        extents << field.trimmed().toInt();
    if (extents.size() != 4)
        return geometry(window);
    return geometry(window).marginsAdded(QMargins(extents[0], extents[2], extents[1], extents[3]));
}

std::optional<quint64> Desktop::transientFor(quint64 window) const
{
    // WM_TRANSIENT_FOR(WINDOW): window id # 0x1200004
    const QByteArray line = run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"WM_TRANSIENT_FOR"_s}).output;
    const QList<quint64> ids = hexIds(line.mid(line.indexOf('#') + 1));
    if (!line.contains('#') || ids.isEmpty())
        return std::nullopt;
    return ids.first();
}

bool Desktop::hasState(quint64 window, const QByteArray &state) const
{
    // _NET_WM_STATE(ATOM) = _NET_WM_STATE_ABOVE, _NET_WM_STATE_DEMANDS_ATTENTION
    const QByteArray line = run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"_NET_WM_STATE"_s}).output;
    for (const QByteArray &name : line.mid(line.indexOf('=') + 1).split(',')) {
        if (name.trimmed() == state)
            return true;
    }
    return false;
}

void Desktop::minimise(quint64 window) const
{
    run(u"xdotool"_s, {u"windowminimize"_s, u"--sync"_s, QString::number(window)});
}

void Desktop::unmap(quint64 window) const
{
    run(u"xdotool"_s, {u"windowunmap"_s, u"--sync"_s, QString::number(window)});
}

void Desktop::setWindowClass(quint64 window, const QString &windowClass) const
{
    run(u"xdotool"_s, {u"set_window"_s, u"--class"_s, windowClass, QString::number(window)});
}

void Desktop::pointAt(quint64 window, QPoint position) const
{
    const QPoint at = geometry(window).topLeft() + position;
    run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(at.x()), QString::number(at.y())});
}

void Desktop::click(quint64 window, QPoint position) const
{
    pointAt(window, position);
    run(u"xdotool"_s, {u"click"_s, u"1"_s});
}

void Desktop::key(quint64 window, const QString &keyName) const
{
    run(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, QString::number(window)});
    run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, keyName});
}

} // namespace menugeral::e2e
