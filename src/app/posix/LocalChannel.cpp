#include "app/LocalChannel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// Plain Unix-domain sockets rather than QLocalServer: the network module and
// the libraries it pulls in would cost the menu's start-up more than the
// whole guard does.

namespace menugeral {
namespace {

std::optional<sockaddr_un> socketAddress(const QString &name)
{
    const QByteArray path = QFile::encodeName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

void closeDescriptor(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

// Small writes to a local socket go through at once; a peer that hung up
// must not raise SIGPIPE.
bool sendAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(fd, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes = bytes.sliced(sent);
    }
    return true;
}

bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd descriptor{fd, events, 0};
        const int result = ::poll(&descriptor, 1, int(deadline.remainingTime()));
        if (result < 0 && errno == EINTR)
            continue;
        return result > 0;
    }
}

// One connection to the server: reads until a whole line, answers, hangs up.
class Peer : public QObject
{
public:
    Peer(int fd, qsizetype maxRequestBytes, const LocalChannelServer::Answerer &answerer, QObject *parent)
        : QObject(parent), m_fd(fd), m_maxRequestBytes(maxRequestBytes), m_answerer(answerer),
          m_notifier(fd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &Peer::readRequest);
        // The request may have come together with the connection.
        readRequest();
    }
    ~Peer() override { closeDescriptor(m_fd); }

private:
    void readRequest()
    {
        if (m_fd < 0)
            return;
        char chunk[256];
        for (;;) {
            const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                break;
            if (got <= 0)
                return hangUp();
            m_request.append(chunk, got);
        }
        const qsizetype end = m_request.indexOf('\n');
        const qsizetype length = end < 0 ? m_request.size() : end + 1;
        // Anything longer than a request is not one of ours.
        if (length > m_maxRequestBytes)
            return hangUp();
        if (end < 0)
            return;
        if (const auto answer = m_answerer(m_request.left(length)))
            sendAll(m_fd, *answer);
        hangUp();
    }

    void hangUp()
    {
        m_notifier.setEnabled(false);
        closeDescriptor(m_fd);
        m_fd = -1;
        deleteLater();
    }

    int m_fd;
    qsizetype m_maxRequestBytes;
    const LocalChannelServer::Answerer &m_answerer;
    QSocketNotifier m_notifier;
    QByteArray m_request;
};

} // namespace

class LocalChannelServer::Private
{
public:
    Private(qsizetype maxBytes, Answerer answer) : maxRequestBytes(maxBytes), answerer(std::move(answer)) {}

    qsizetype maxRequestBytes;
    Answerer answerer;
    int fd = -1;
    QByteArray path;
    std::unique_ptr<QSocketNotifier> notifier;
};

LocalChannelServer::LocalChannelServer(qsizetype maxRequestBytes, Answerer answerer, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(maxRequestBytes, std::move(answerer)))
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
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const QByteArray path = QFile::encodeName(name);
    ::unlink(path.constData());
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0 || ::listen(fd, 16) != 0) {
        closeDescriptor(fd);
        return false;
    }
    // Only this user may talk to the menu (the directory is private too).
    ::chmod(path.constData(), S_IRUSR | S_IWUSR);
    d->fd = fd;
    d->path = path;
    d->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(d->notifier.get(), &QSocketNotifier::activated, this, [this] {
        for (;;) {
            const int peer = ::accept4(d->fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (peer < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            new Peer(peer, d->maxRequestBytes, d->answerer, this);
        }
    });
    return true;
}

void LocalChannelServer::close()
{
    if (d->fd < 0)
        return;
    d->notifier.reset();
    closeDescriptor(d->fd);
    d->fd = -1;
    ::unlink(d->path.constData());
    d->path.clear();
}

std::optional<QByteArray> askLocalChannel(const QString &name, const QByteArray &request, int connectTimeoutMs,
                                          int answerTimeoutMs)
{
    const auto address = socketAddress(name);
    if (!address)
        return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return std::nullopt;
    const auto closer = qScopeGuard([fd] { closeDescriptor(fd); });

    if (::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0) {
        // A full backlog: the server is there but busy; wait a little for room.
        if (errno != EAGAIN && errno != EINPROGRESS)
            return std::nullopt;
        int error = 0;
        socklen_t length = sizeof error;
        if (!waitFor(fd, POLLOUT, QDeadlineTimer(connectTimeoutMs)) ||
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return std::nullopt;
    }
    // Reached: whatever happens next, the running menu is there.
    QByteArray answer;
    if (!sendAll(fd, request))
        return answer;
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!answer.contains('\n') && waitFor(fd, POLLIN, deadline)) {
        char chunk[64];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        answer.append(chunk, got);
    }
    const qsizetype end = answer.indexOf('\n');
    return end < 0 ? QByteArray() : answer.left(end);
}

} // namespace menugeral
