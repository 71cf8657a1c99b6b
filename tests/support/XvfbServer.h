#pragma once

#include <QProcess>
#include <QString>

#include <optional>

namespace menugeral::test {

// A private X server for tests and benchmarks: Xvfb at 1280x1024 without TCP,
// on the display MENUGERAL_XVFB_DISPLAY names ("41" or ":41") on a shared
// machine, or on a free one. It stops with the object.
class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // Starts it and waits until it accepts clients; an explanation when it cannot.
    std::optional<QString> start();
    // ":N" once started.
    const QString &display() const { return m_display; }
    const QProcess &process() const { return m_process; }

private:
    QProcess m_process;
    QString m_display;
};

} // namespace menugeral::test
