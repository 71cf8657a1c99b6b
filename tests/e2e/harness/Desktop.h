#pragma once

#include "TempDir.h"
#include "XvfbServer.h"

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace menugeral::e2e {

using namespace std::chrono_literals;

// What a finished tool printed and how it ended.
struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

enum class WindowState
{
    Withdrawn,
    Normal,
    Iconic,
    Unknown,
};

// A desktop of its own for one test: an Xvfb server on a free display with a
// window manager (openbox unless told otherwise) managing it, and a home and
// runtime directory that no other test shares. Everything is looked at
// through the X tools a user has too.
class Desktop
{
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    // The programs the harness needs that are not installed; empty when all are.
    static QStringList missingTools();

    // Whether the window manager and what it needs to run are installed.
    static bool hasWindowManager(const QString &windowManager);

    // Starts the server and the window manager; an explanation when it cannot.
    std::optional<QString> start(const QString &windowManager = QStringLiteral("openbox"));
    // What went wrong with the desktop itself (its server or window manager
    // ended, and what openbox said), for a test that failed.
    QStringList troubles() const;

    // The environment of a program started on this desktop.
    QProcessEnvironment environment() const;
    QString runtimeDirectory() const;

    ToolRun run(const QString &program, const QStringList &arguments) const;

    // Top-level windows the window manager manages whose WM_CLASS class part is `windowClass`.
    QList<quint64> managedWindowsOfClass(const QByteArray &windowClass) const;
    // Windows on screen whose title is exactly `title`.
    QList<quint64> visibleWindowsTitled(const QString &title) const;
    std::optional<quint64> activeWindow() const;
    WindowState state(quint64 window) const;
    bool isViewable(quint64 window) const;
    QRect geometry(quint64 window) const;
    // The window with the frame its window manager put around it.
    QRect frameGeometry(quint64 window) const;

    // The window WM_TRANSIENT_FOR names; nothing when it names none.
    std::optional<quint64> transientFor(quint64 window) const;
    // Whether the window manager lists `state` (an atom's name) in the window's _NET_WM_STATE.
    bool hasState(quint64 window, const QByteArray &state) const;

    void minimise(quint64 window) const;
    void unmap(quint64 window) const;
    void setWindowClass(quint64 window, const QString &windowClass) const;
    // Windows on screen, managed or not (tool-tips too), whose WM_CLASS class part is `windowClass`.
    QList<quint64> visibleWindowsOfClass(const QByteArray &windowClass) const;

    // Moves the pointer to `position` inside the window and leaves it there.
    void pointAt(quint64 window, QPoint position) const;
    // A left click at `position` inside the window, through the pointer.
    void click(quint64 window, QPoint position) const;
    void key(quint64 window, const QString &keyName) const;

private:
    std::optional<QString> waitForWindowManager();
    QString windowManagerLog() const;

    test::TempDir m_home;
    test::TempDir m_runtime;
    test::XvfbServer m_server;
    QProcess m_windowManager;
    QString m_windowManagerName;
};

// How a process that is no longer running ended, in words.
QString endOf(const QProcess &process);

// Polls `condition` until it holds or `timeout` passes; the last answer.
bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 5s);

QString windowIdText(quint64 window);

} // namespace menugeral::e2e
