#include "app/SingleInstanceGuard.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QThread>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

// The whole conversation: one request line, one answer line (the window id).
constexpr QByteArrayView kShowRequest = "show\n";
constexpr int kConnectTimeoutMs = 200;
constexpr int kAnswerTimeoutMs = 1000;
// Between two looks at a lock held by a menu that is still starting up.
constexpr unsigned long kRetryPauseMs = 10;

} // namespace

SingleInstanceGuard::SingleInstanceGuard(std::optional<InstanceAddress> address, QObject *parent)
    : QObject(parent), m_address(std::move(address)),
      m_server(kShowRequest.size(), [this](const QByteArray &request) { return answer(request); })
{}

SingleInstanceGuard::~SingleInstanceGuard()
{
    // Socket first: a later start that still sees it must also find the lock.
    m_server.close();
    m_lock.reset();
}

void SingleInstanceGuard::setDeadline(std::chrono::milliseconds deadline)
{
    m_deadline = deadline;
}

void SingleInstanceGuard::setWindowId(quint64 windowId)
{
    m_windowId = windowId;
}

quint64 SingleInstanceGuard::runningWindowId() const
{
    return m_runningWindowId;
}

SingleInstanceGuard::Claim SingleInstanceGuard::claim()
{
    if (!m_address)
        return Claim::Unguarded;

    auto lock = std::make_unique<InstanceLock>(m_address->lockFileName);
    const QDeadlineTimer deadline(m_deadline);
    for (;;) {
        const InstanceLock::Result locked = lock->tryLock();
        if (locked == InstanceLock::Result::Acquired) {
            m_lock = std::move(lock);
            if (listen())
                return Claim::FirstInstance;
            // Without a socket no later start could reach us; let them start
            // on their own at once instead of waiting for us.
            m_lock.reset();
            return Claim::Unguarded;
        }
        if (requestActivation() == Request::Answered)
            return Claim::AnotherInstanceRuns;
        // A lock we cannot even create leaves nothing to wait for.
        if (locked == InstanceLock::Result::Unavailable || deadline.hasExpired())
            return Claim::Unguarded;
        // The holder is starting and not listening yet.
        QThread::msleep(kRetryPauseMs);
    }
}

SingleInstanceGuard::Request SingleInstanceGuard::requestActivation()
{
    // The running menu may be busy (a modal box at start-up); it was reached,
    // so it will show itself when it gets to the request even without an answer.
    const auto answer =
        askLocalChannel(m_address->socketName, kShowRequest.toByteArray(), kConnectTimeoutMs, kAnswerTimeoutMs);
    if (!answer)
        return Request::NoServer;
    bool ok = false;
    const quint64 id = answer->trimmed().toULongLong(&ok);
    m_runningWindowId = ok ? id : 0;
    return Request::Answered;
}

bool SingleInstanceGuard::listen()
{
    // We hold the lock, so a socket still there was left by a killed menu.
    return m_server.listen(m_address->socketName);
}

std::optional<QByteArray> SingleInstanceGuard::answer(const QByteArray &request)
{
    if (QByteArrayView(request) != kShowRequest)
        return std::nullopt;
    // Show first: the answer lets the other start bring the shown window forward.
    Q_EMIT activationRequested();
    return QByteArray::number(m_windowId) + '\n';
}

} // namespace menugeral
