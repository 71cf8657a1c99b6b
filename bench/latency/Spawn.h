#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>
#include <vector>

namespace menugeral::bench {

// A program started with posix_spawn, the cheapest start POSIX offers, with
// exactly this environment ("NAME=value" entries).
class Spawned
{
public:
    Spawned(const QString &program, const QStringList &arguments, const std::vector<QByteArray> &environment);
    ~Spawned(); // waits for the program if nobody did
    Spawned(const Spawned &) = delete;
    Spawned &operator=(const Spawned &) = delete;

    bool started() const { return m_pid > 0; }
    // Waits for the end; the exit code, or -1.
    int wait();

private:
    pid_t m_pid = -1;
};

} // namespace menugeral::bench
