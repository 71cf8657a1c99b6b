#include "system/LocalChannel.h"

#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <limits>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

// Written on the system's Unix-domain sockets instead of QLocalServer and
// QLocalSocket: for one short line each way, QtNetwork and what it loads
// (Kerberos, the proxy look-up) cost the menu more memory at start than all
// its artwork, and QtCore has no local socket.

namespace menugeral {
namespace {

// An answer is a short line; a server that sends more is not ours.
constexpr qsizetype kMaxAnswerBytes = 64;
// Between two tries to reach a server whose queue of connections is full.
constexpr unsigned long kConnectRetryPauseMs = 10;

// A descriptor closed with its owner.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(Descriptor &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    ~Descriptor() { reset(); }

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// The socket's address: `name` is its full file name.
std::optional<sockaddr_un> socketAddress(const QString &name)
{
    const QByteArray path = QFile::encodeName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.contains('\0') || path.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

int remainingMs(const QDeadlineTimer &deadline)
{
    if (deadline.isForever())
        return -1;
    return int(std::clamp<qint64>(deadline.remainingTime(), 0, std::numeric_limits<int>::max()));
}

// Whether `fd` became ready for `events` (or failed, which the next call
// tells) before `deadline`.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int result = ::poll(&entry, 1, remainingMs(deadline));
        if (result >= 0 || errno != EINTR)
            return result > 0;
    }
}

bool connectWithin(int fd, const sockaddr_un &address, const QDeadlineTimer &deadline)
{
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            return true;
        // A full queue: the menu is busy for a moment, or someone floods it.
        if (errno == EAGAIN && !deadline.hasExpired())
            QThread::msleep(kConnectRetryPauseMs);
        else if (errno != EINTR)
            return false;
    }
}

bool sendAll(int fd, QByteArrayView bytes, const QDeadlineTimer &deadline)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(fd, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent > 0)
            bytes = bytes.sliced(sent);
        else if (errno == EAGAIN ? !waitFor(fd, POLLOUT, deadline) : errno != EINTR)
            return false;
    }
    return true;
}

// One client of the server, from its connection to its release.
class Connection : public QObject
{
public:
    explicit Connection(Descriptor socket) : fd(std::move(socket)), notifier(fd.get(), QSocketNotifier::Read) {}
    ~Connection() override { notifier.setEnabled(false); }

    Descriptor fd;
    QSocketNotifier notifier;
    QTimer idle;
    QByteArray received;
};

} // namespace

class LocalChannelServer::Private
{
public:
    Private(LocalChannelServer &owner, const LocalChannelLimits &limits, Answerer answerer)
        : q(owner), limits(limits), answerer(std::move(answerer))
    {}

    void takeConnections();
    void adopt(Descriptor socket);
    void serve(Connection *connection);
    // Hangs up on the client: what was written to it still reaches it.
    void release(Connection *connection);
    bool isOpen(const Connection *connection) const
    {
        return std::find(open.begin(), open.end(), connection) != open.end();
    }

    LocalChannelServer &q;
    LocalChannelLimits limits;
    Answerer answerer;
    Descriptor listener;
    std::unique_ptr<QSocketNotifier> listenerNotifier;
    QByteArray path;
    // The socket file as made, so that only that one is removed at close.
    dev_t device = 0;
    ino_t inode = 0;
    std::deque<Connection *> open; // oldest first
};

void LocalChannelServer::Private::takeConnections()
{
    for (;;) {
        Descriptor socket(::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.isValid()) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // none left, or none to be had now: the notifier calls again
        }
        // The oldest has had the longest to send its few bytes: most likely
        // a client that never will, not a start that is about to.
        if (int(open.size()) >= limits.maxConnections)
            release(open.front());
        adopt(std::move(socket));
    }
}

void LocalChannelServer::Private::adopt(Descriptor socket)
{
    auto *connection = new Connection(std::move(socket));
    connection->setParent(&q);
    open.push_back(connection);
    connection->idle.setSingleShot(true);
    QObject::connect(&connection->idle, &QTimer::timeout, &q, [this, connection] { release(connection); });
    connection->idle.start(limits.idleTimeout);
    QObject::connect(&connection->notifier, &QSocketNotifier::activated, &q, [this, connection] { serve(connection); });
    // The request may have come together with the connection.
    serve(connection);
}

void LocalChannelServer::Private::serve(Connection *connection)
{
    // Never more than one request's worth: the rest stays with the system,
    // and a client that sends without end only fills its own socket.
    QByteArray &received = connection->received;
    bool hungUp = false;
    while (!received.contains('\n') && received.size() < limits.maxRequestBytes) {
        const qsizetype before = received.size();
        received.resize(limits.maxRequestBytes);
        const ssize_t got = ::recv(connection->fd.get(), received.data() + before, size_t(received.size() - before), 0);
        received.resize(before + std::max<ssize_t>(got, 0));
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        hungUp = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        // Anything longer than a request is not one of ours.
        if (hungUp || received.size() >= limits.maxRequestBytes)
            release(connection);
        return;
    }
    const QPointer<Connection> alive(connection);
    const std::optional<QByteArray> answer = answerer(received.left(end + 1));
    if (!alive || !isOpen(connection))
        return; // an answerer that ran an event loop outlived the client
    // A few bytes into a socket nothing was written to yet: they fit at once.
    if (answer)
        sendAll(connection->fd.get(), *answer, QDeadlineTimer(0));
    release(connection);
}

void LocalChannelServer::Private::release(Connection *connection)
{
    const auto it = std::find(open.begin(), open.end(), connection);
    if (it == open.end())
        return; // already let go (an answerer may run an event loop)
    open.erase(it);
    connection->notifier.setEnabled(false);
    connection->idle.stop();
    connection->fd.reset();
    // Not deleted here: this may run in its own notifier's signal.
    connection->deleteLater();
}

LocalChannelServer::LocalChannelServer(const LocalChannelLimits &limits, Answerer answerer, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(*this, limits, std::move(answerer)))
{}

LocalChannelServer::~LocalChannelServer()
{
    close();
}

bool LocalChannelServer::listen(const QString &name)
{
    close();
    const auto address = socketAddress(name);
    if (!address)
        return false;
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.isValid())
        return false;
    // For this user only. Linux makes the file with the socket's own mode, so
    // it is never open to others, not even for a moment; the chmod after bind
    // serves systems that do not.
    constexpr mode_t kUserOnly = S_IRUSR | S_IWUSR;
    ::fchmod(socket.get(), kUserOnly);
    // A socket still there was left by a killed menu: the caller holds the
    // lock that serialises starts.
    ::unlink(address->sun_path);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0)
        return false;
    struct stat made
    {};
    if (::chmod(address->sun_path, kUserOnly) != 0 || ::lstat(address->sun_path, &made) != 0 ||
        ::listen(socket.get(), d->limits.listenBacklog) != 0) {
        ::unlink(address->sun_path);
        return false;
    }
    d->listener = std::move(socket);
    d->path = address->sun_path;
    d->device = made.st_dev;
    d->inode = made.st_ino;
    d->listenerNotifier = std::make_unique<QSocketNotifier>(d->listener.get(), QSocketNotifier::Read);
    connect(d->listenerNotifier.get(), &QSocketNotifier::activated, this, [this] { d->takeConnections(); });
    return true;
}

void LocalChannelServer::close()
{
    if (d->listener.isValid()) {
        d->listenerNotifier.reset();
        d->listener.reset();
        // Only the socket this server made: one put there since is not ours.
        struct stat now
        {};
        if (::lstat(d->path.constData(), &now) == 0 && now.st_dev == d->device && now.st_ino == d->inode)
            ::unlink(d->path.constData());
    }
    while (!d->open.empty())
        d->release(d->open.front());
}

int LocalChannelServer::openConnections() const
{
    return int(d->open.size());
}

std::optional<QByteArray> askLocalChannel(const QString &name, QByteArrayView request, QDeadlineTimer deadline)
{
    const auto address = socketAddress(name);
    if (!address)
        return std::nullopt;
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.isValid() || !connectWithin(socket.get(), *address, deadline) ||
        !sendAll(socket.get(), request, deadline))
        return std::nullopt;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < kMaxAnswerBytes) {
        char buffer[kMaxAnswerBytes];
        const ssize_t got = ::recv(socket.get(), buffer, size_t(kMaxAnswerBytes - answer.size()), 0);
        if (got > 0)
            answer.append(buffer, got);
        else if (got == 0 || (errno != EINTR && (errno != EAGAIN || !waitFor(socket.get(), POLLIN, deadline))))
            break; // hung up, or no answer in time
    }
    const qsizetype end = answer.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return answer.left(end);
}

} // namespace menugeral
