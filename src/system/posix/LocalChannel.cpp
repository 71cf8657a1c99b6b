#include "system/LocalChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace menugeral {
namespace {

// An answer is a short line; a server that sends more is not ours.
constexpr qsizetype kMaxAnswerBytes = 64;

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(0, deadline.remainingTime()));
}

} // namespace

class LocalChannelServer::Private
{
public:
    Private(LocalChannelServer &owner, const LocalChannelLimits &limits, Answerer answerer)
        : q(owner), limits(limits), answerer(std::move(answerer))
    {}

    void takeConnections();
    void adopt(QLocalSocket *socket);
    void serve(QLocalSocket *socket);
    // Forgets the client; `answered` lets what was written reach it first.
    void release(QLocalSocket *socket, bool answered);

    LocalChannelServer &q;
    LocalChannelLimits limits;
    Answerer answerer;
    QLocalServer server;
    std::deque<QLocalSocket *> open; // oldest first
};

void LocalChannelServer::Private::takeConnections()
{
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        // The oldest has had the longest to send its few bytes: most likely
        // a client that never will, not a start that is about to.
        if (int(open.size()) >= limits.maxConnections)
            release(open.front(), false);
        adopt(socket);
    }
}

void LocalChannelServer::Private::adopt(QLocalSocket *socket)
{
    socket->setParent(&q);
    // What the system hands over beyond one request stays in the system.
    socket->setReadBufferSize(limits.maxRequestBytes);
    open.push_back(socket);

    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    QObject::connect(idle, &QTimer::timeout, &q, [this, socket] { release(socket, false); });
    idle->start(limits.idleTimeout);
    QObject::connect(socket, &QLocalSocket::readyRead, &q, [this, socket] { serve(socket); });
    QObject::connect(socket, &QLocalSocket::disconnected, &q, [this, socket] { release(socket, false); });
    // The request may have come together with the connection.
    serve(socket);
}

void LocalChannelServer::Private::serve(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        // Anything longer than a request is not one of ours.
        if (socket->bytesAvailable() >= limits.maxRequestBytes)
            release(socket, false);
        return;
    }
    // readLine() keeps a byte of its limit for a terminating NUL.
    const QByteArray request = socket->readLine(limits.maxRequestBytes + 1);
    const QPointer<QLocalSocket> alive(socket);
    const std::optional<QByteArray> answer = request.endsWith('\n') ? answerer(request) : std::nullopt;
    if (!alive)
        return; // an answerer that ran an event loop outlived the client
    if (answer) {
        socket->write(*answer);
        socket->flush();
    }
    release(socket, answer.has_value());
}

void LocalChannelServer::Private::release(QLocalSocket *socket, bool answered)
{
    const auto it = std::find(open.begin(), open.end(), socket);
    if (it == open.end())
        return; // already let go (an answerer may run an event loop)
    open.erase(it);
    socket->disconnect(&q);
    if (answered)
        socket->disconnectFromServer();
    else
        socket->abort();
    socket->deleteLater();
}

LocalChannelServer::LocalChannelServer(const LocalChannelLimits &limits, Answerer answerer, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(*this, limits, std::move(answerer)))
{
    d->server.setSocketOptions(QLocalServer::UserAccessOption);
    d->server.setListenBacklogSize(limits.listenBacklog);
    connect(&d->server, &QLocalServer::newConnection, this, [this] { d->takeConnections(); });
}

LocalChannelServer::~LocalChannelServer()
{
    close();
}

bool LocalChannelServer::listen(const QString &name)
{
    close();
    QLocalServer::removeServer(name);
    return d->server.listen(name);
}

void LocalChannelServer::close()
{
    d->server.close();
    while (!d->open.empty())
        d->release(d->open.front(), false);
}

int LocalChannelServer::openConnections() const
{
    return int(d->open.size());
}

std::optional<QByteArray> askLocalChannel(const QString &name, QByteArrayView request, QDeadlineTimer deadline)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(remainingMs(deadline)))
        return std::nullopt;
    socket.write(request.data(), request.size());
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return std::nullopt;
    }
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < kMaxAnswerBytes) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remainingMs(deadline)))
            break; // hung up, or no answer in time
        answer += socket.read(kMaxAnswerBytes - answer.size());
    }
    const qsizetype end = answer.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return answer.left(end);
}

} // namespace menugeral
