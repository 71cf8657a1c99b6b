#include "app/LocalChannel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>

// Named pipes through Qt's local sockets.

namespace menugeral {

class LocalChannelServer::Private
{
public:
    qsizetype maxRequestBytes;
    Answerer answerer;
    QLocalServer server;
};

LocalChannelServer::LocalChannelServer(qsizetype maxRequestBytes, Answerer answerer, QObject *parent)
    : QObject(parent), d(new Private{maxRequestBytes, std::move(answerer), {}})
{
    d->server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&d->server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = d->server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            const auto answer = [this, socket] {
                if (!socket->canReadLine()) {
                    // Anything longer than a request is not one of ours.
                    if (socket->bytesAvailable() > d->maxRequestBytes)
                        socket->disconnectFromServer();
                    return;
                }
                const QByteArray request = socket->readLine();
                if (request.size() > d->maxRequestBytes) {
                    socket->disconnectFromServer();
                    return;
                }
                if (const auto reply = d->answerer(request)) {
                    socket->write(*reply);
                    socket->flush();
                }
                socket->disconnectFromServer();
            };
            connect(socket, &QLocalSocket::readyRead, this, answer);
            // The request may have come together with the connection.
            if (socket->bytesAvailable() > 0)
                answer();
        }
    });
}

LocalChannelServer::~LocalChannelServer()
{
    close();
}

bool LocalChannelServer::listen(const QString &name)
{
    QLocalServer::removeServer(name);
    return d->server.listen(name);
}

void LocalChannelServer::close()
{
    d->server.close();
}

std::optional<QByteArray> askLocalChannel(const QString &name, const QByteArray &request, int connectTimeoutMs,
                                          int answerTimeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectTimeoutMs))
        return std::nullopt;
    socket.write(request);
    socket.waitForBytesWritten(connectTimeoutMs);
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!socket.canReadLine() && !deadline.hasExpired() && socket.state() == QLocalSocket::ConnectedState)
        socket.waitForReadyRead(int(deadline.remainingTime()));
    QByteArray answer;
    if (socket.canReadLine())
        answer = socket.readLine().trimmed();
    socket.disconnectFromServer();
    return answer;
}

} // namespace menugeral
