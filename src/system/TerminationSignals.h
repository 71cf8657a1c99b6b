#pragma once

#include <QObject>

#include <memory>

namespace menugeral {

// Turns the requests to end the program that arrive as signals (SIGTERM at
// logout or from a task manager, SIGINT, SIGHUP) into a Qt signal delivered
// by the event loop, so the menu closes normally: its lock and socket are
// removed instead of being left for the next start to clear. The previous
// handlers come back when the object goes. Nothing to do on Windows.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace menugeral
