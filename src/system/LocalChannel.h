#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace menugeral {

// The single-instance guard's conversation over a local socket (a
// Unix-domain socket named by its full file name, or the named pipe
// \\.\pipe\<name> on Windows, as Qt's local sockets name them): a later
// start connects, sends one line and reads one line back. Only the answer
// proves that the request arrived; a connection the server drops without one
// counts as nothing delivered.

// What one client may cost the server. Whatever a local program sends, the
// server reads at most one request's worth per connection, keeps a bounded
// number of connections open, and drops each that stays silent too long.
struct LocalChannelLimits
{
    qsizetype maxRequestBytes = 64; // the whole line with its "\n"
    int maxConnections = 8;         // more evict the oldest still waiting
    std::chrono::milliseconds idleTimeout{2000};
    int listenBacklog = 16; // connections the system queues before accepting
};

// The running menu's end.
class LocalChannelServer : public QObject
{
    Q_OBJECT

public:
    // Given the request line with its "\n"; gives the answer line to send
    // back, or nothing to hang up without one.
    using Answerer = std::function<std::optional<QByteArray>(const QByteArray &request)>;

    LocalChannelServer(const LocalChannelLimits &limits, Answerer answerer, QObject *parent = nullptr);
    ~LocalChannelServer() override;

    // Takes the name over, for this user only: the caller holds the lock that
    // serialises starts, so a socket still there was left by a killed menu.
    bool listen(const QString &name);
    // Stops listening, hangs up on every client and removes the name.
    void close();

    // Clients connected and not yet answered.
    int openConnections() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

// A later start's end: sends the request line to the server on `name` and
// waits for its answer line until `deadline`. The answer without its "\n", or
// nothing when none came: nobody listens, the server hung up or is busy.
std::optional<QByteArray> askLocalChannel(const QString &name, QByteArrayView request, QDeadlineTimer deadline);

} // namespace menugeral
