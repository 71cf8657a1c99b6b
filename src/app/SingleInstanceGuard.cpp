#include "app/SingleInstanceGuard.h"

#include "system/InstanceLock.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace menugeral {
namespace {

// The whole conversation: "show", or "show <token>", as one line; the answer
// is the running menu's window id as one line.
constexpr QByteArrayView kShow = "show";
// Activation tokens are short opaque strings; this leaves room for any
// compositor's while keeping a request small.
constexpr qsizetype kMaxTokenBytes = 512;
// Between two looks at a lock held by a menu that is still starting up.
constexpr unsigned long kRetryPauseMs = 10;

bool isSendableToken(QByteArrayView token)
{
    return !token.isEmpty() && token.size() <= kMaxTokenBytes &&
           std::none_of(token.begin(), token.end(), [](char c) { return uchar(c) < 0x20 || uchar(c) == 0x7f; });
}

LocalChannelLimits channelLimits()
{
    LocalChannelLimits limits;
    limits.maxRequestBytes = kShow.size() + 1 + kMaxTokenBytes + 1;
    return limits;
}

QByteArray showRequest(const QByteArray &token)
{
    QByteArray request = kShow.toByteArray();
    if (!token.isEmpty())
        request += ' ' + token;
    return request + '\n';
}

// The token of a well-formed request, empty when it carries none; nothing
// for anything else.
std::optional<QByteArray> tokenOf(QByteArrayView request)
{
    if (!request.endsWith('\n') || !request.startsWith(kShow))
        return std::nullopt;
    const QByteArrayView rest = request.sliced(kShow.size()).chopped(1);
    if (rest.isEmpty())
        return QByteArray();
    if (!rest.startsWith(' ') || !isSendableToken(rest.sliced(1)))
        return std::nullopt;
    return rest.sliced(1).toByteArray();
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(std::optional<InstanceAddress> address, QObject *parent)
    : QObject(parent), m_address(std::move(address)),
      m_server(channelLimits(), [this](const QByteArray &request) { return answer(request); })
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

std::chrono::milliseconds SingleInstanceGuard::deadline() const
{
    return m_deadline;
}

void SingleInstanceGuard::setActivationToken(const QByteArray &token)
{
    m_activationToken = isSendableToken(token) ? token : QByteArray();
}

void SingleInstanceGuard::setWindowId(quint64 windowId)
{
    m_windowId = windowId;
}

void SingleInstanceGuard::adoptLock(std::unique_ptr<InstanceLock> lock)
{
    m_lock = std::move(lock);
}

SingleInstanceGuard::Claim SingleInstanceGuard::claim()
{
    return contend(true).value_or(Claim::Unguarded);
}

std::optional<SingleInstanceGuard::Claim> SingleInstanceGuard::askRunningMenu()
{
    return contend(false);
}

std::optional<SingleInstanceGuard::Claim> SingleInstanceGuard::contend(bool mayBecomeMenu)
{
    if (!m_address)
        return std::nullopt;
    // A running menu has made its lock file; asking leaves no file behind.
    if (!mayBecomeMenu && !QFileInfo::exists(m_address->lockFileName))
        return std::nullopt;

    auto lock = m_lock ? std::move(m_lock) : std::make_unique<InstanceLock>(m_address->lockFileName);
    const QDeadlineTimer deadline(m_deadline);
    // One that only asks came here having found the lock held.
    if (!mayBecomeMenu && requestActivation(deadline))
        return Claim::AnotherInstanceRuns;
    for (;;) {
        const InstanceLock::Result locked = lock->isLocked() ? InstanceLock::Result::Acquired : lock->tryLock();
        if (locked == InstanceLock::Result::Acquired) {
            // No menu runs; the lock goes with `lock` unless this one becomes it.
            if (!mayBecomeMenu)
                return std::nullopt;
            m_lock = std::move(lock);
            // We hold the lock, so a socket still there was left by a killed menu.
            if (m_server.listen(m_address->socketName))
                return Claim::FirstInstance;
            // Without a socket no later start could reach us; let them start
            // on their own at once instead of waiting for us.
            m_lock.reset();
            return Claim::Unguarded;
        }
        if (requestActivation(deadline))
            return Claim::AnotherInstanceRuns;
        // A lock we cannot even create leaves nothing to wait for.
        if (locked == InstanceLock::Result::Unavailable)
            return std::nullopt;
        // The holder is starting and not listening yet, or it is stuck.
        if (deadline.hasExpired())
            return Claim::AnotherInstanceSilent;
        QThread::msleep(kRetryPauseMs);
    }
}

bool SingleInstanceGuard::requestActivation(const QDeadlineTimer &deadline)
{
    // Reached or not, only an answer tells that the menu got the request.
    return askLocalChannel(m_address->socketName, showRequest(m_activationToken), deadline).has_value();
}

std::optional<QByteArray> SingleInstanceGuard::answer(const QByteArray &request)
{
    const auto token = tokenOf(request);
    if (!token)
        return std::nullopt;
    // Shown first: the answer tells the other start that the menu came forward.
    Q_EMIT activationRequested(*token);
    return QByteArray::number(m_windowId) + '\n';
}

} // namespace menugeral
