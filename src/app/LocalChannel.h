#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace menugeral {

// The single-instance guard's conversation over a local socket: a later start
// connects, sends one line and reads one line back. Built on the system's own
// sockets (a Unix-domain socket, or a named pipe on Windows).

// The running menu's end. Every connection gets its own answer; a request
// longer than the limit, or one the answerer refuses, closes the connection.
class LocalChannelServer : public QObject
{
    Q_OBJECT

public:
    // Given the request line with its "\n"; gives the answer line to send
    // back, or nothing to hang up without one.
    using Answerer = std::function<std::optional<QByteArray>(const QByteArray &request)>;

    LocalChannelServer(qsizetype maxRequestBytes, Answerer answerer, QObject *parent = nullptr);
    ~LocalChannelServer() override;

    // Takes the name over: the caller holds the lock that serialises starts,
    // so a socket still there was left behind by a menu that was killed.
    bool listen(const QString &name);
    // Stops listening and removes the name.
    void close();

private:
    class Private;
    std::unique_ptr<Private> d;
};

// A later start's end: sends the request to the server on `name`. Nothing when
// no server listens there; otherwise the answer line (without its "\n"),
// empty when none came in time: the server was reached all the same.
std::optional<QByteArray> askLocalChannel(const QString &name, const QByteArray &request, int connectTimeoutMs,
                                          int answerTimeoutMs);

} // namespace menugeral
