#pragma once

#include "system/InstanceAddress.h"
#include "system/LocalChannel.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>

#include <chrono>
#include <memory>
#include <optional>

namespace menugeral {

class InstanceLock;

// One menu per user and display. The first start holds a lock file for its
// whole run and listens on a local socket; a later start finds the lock taken,
// asks the running menu over the socket to show itself (handing over its
// activation token, if it has one) and waits for its answer. A menu that was
// killed leaves a socket nobody answers, which the next start takes over; its
// lock went with it (see InstanceLock).
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        FirstInstance,         // this process is the menu; it will hear later starts
        AnotherInstanceRuns,   // a running menu was asked to show itself and answered
        AnotherInstanceSilent, // the lock is held, but nobody answered in time
        Unguarded,             // no guard could be set up; the menu runs on its own
    };

    // No address: nowhere safe to put the guard; claim() gives Unguarded.
    explicit SingleInstanceGuard(std::optional<InstanceAddress> address, QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // How long a later start waits for the running menu to listen and answer.
    void setDeadline(std::chrono::milliseconds deadline);
    std::chrono::milliseconds deadline() const;
    // What a later start hands over with its request: the token its launcher
    // gave it to pass the focus on (XDG_ACTIVATION_TOKEN). A token that
    // cannot be sent (too long, control characters) is left out.
    void setActivationToken(const QByteArray &token);

    Claim claim();
    // The same for a start that found the lock held and need not become the
    // menu, and so can ask before it makes its windowing application: the
    // running menu is asked first. AnotherInstanceRuns or
    // AnotherInstanceSilent as claim() gives them; nothing when no menu holds
    // the lock (it is left free for claim(), and no lock file is made) or no
    // guard can be set up.
    std::optional<Claim> askRunningMenu();
    // A lock this start acquired at this guard's address before it had an
    // application object; claim() keeps it instead of asking again.
    void adoptLock(std::unique_ptr<InstanceLock> lock);

    // What the first instance tells later starts: its main window's native id.
    void setWindowId(quint64 windowId);

Q_SIGNALS:
    // A later start asked this menu to show itself and come to the front;
    // `activationToken` is the token it handed over, empty when none.
    void activationRequested(const QByteArray &activationToken);

private:
    std::optional<Claim> contend(bool mayBecomeMenu);
    bool requestActivation(const QDeadlineTimer &deadline);
    std::optional<QByteArray> answer(const QByteArray &request);

    std::optional<InstanceAddress> m_address;
    std::unique_ptr<InstanceLock> m_lock;
    LocalChannelServer m_server;
    std::chrono::milliseconds m_deadline{5000};
    QByteArray m_activationToken;
    quint64 m_windowId = 0;
};

} // namespace menugeral
