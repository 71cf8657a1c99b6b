#pragma once

#include "platform/InstanceAddress.h"
#include "app/LocalChannel.h"

#include <QObject>

#include <chrono>
#include <memory>
#include <optional>

namespace menugeral {

class InstanceLock;

// One menu per user and display. The first start holds a lock file for its
// whole run and listens on a local socket; a later start finds the lock taken,
// asks the running menu over the socket to show itself and learns its window.
// A menu that was killed leaves a socket nobody answers, which the next start
// takes over; its lock went with it (see InstanceLock).
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        FirstInstance,       // this process is the menu; it will hear later starts
        AnotherInstanceRuns, // a running menu was asked to show itself
        Unguarded,           // no guard could be set up; the menu runs on its own
    };

    // No address: nowhere safe to put the guard; claim() gives Unguarded.
    explicit SingleInstanceGuard(std::optional<InstanceAddress> address, QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // How long a later start waits for the running menu to listen and answer
    // before it gives up and runs on its own.
    void setDeadline(std::chrono::milliseconds deadline);

    Claim claim();

    // What the first instance tells later starts: its main window's native id.
    void setWindowId(quint64 windowId);
    // After AnotherInstanceRuns: the running menu's answer, 0 when it gave none.
    quint64 runningWindowId() const;

Q_SIGNALS:
    // A later start asked this menu to show itself and come to the front.
    void activationRequested();

private:
    enum class Request
    {
        Answered,
        NoServer
    };
    Request requestActivation();
    bool listen();
    std::optional<QByteArray> answer(const QByteArray &request);

    std::optional<InstanceAddress> m_address;
    std::unique_ptr<InstanceLock> m_lock;
    LocalChannelServer m_server;
    std::chrono::milliseconds m_deadline{5000};
    quint64 m_windowId = 0;
    quint64 m_runningWindowId = 0;
};

} // namespace menugeral
