#include "platform/posix/ChildReaper.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace menugeral {
namespace {

// Where the system cannot say when a child ends, it is asked this often.
constexpr int kPollMs = 1000;

// A descriptor that becomes readable when the child ends (Linux 5.3 and
// later); -1 elsewhere.
int processDescriptor(pid_t child)
{
#ifdef SYS_pidfd_open
    return int(::syscall(SYS_pidfd_open, child, 0));
#else
    Q_UNUSED(child);
    return -1;
#endif
}

class ChildReaper final : public QObject
{
public:
    ChildReaper(pid_t child, QObject *parent) : QObject(parent), m_child(child), m_descriptor(processDescriptor(child))
    {
        if (m_descriptor >= 0) {
            auto *notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
            connect(notifier, &QSocketNotifier::activated, this, &ChildReaper::reapIfEnded);
        } else {
            auto *timer = new QTimer(this);
            connect(timer, &QTimer::timeout, this, &ChildReaper::reapIfEnded);
            timer->start(kPollMs);
        }
    }
    ~ChildReaper() override
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    ChildReaper(const ChildReaper &) = delete;
    ChildReaper &operator=(const ChildReaper &) = delete;

private:
    void reapIfEnded()
    {
        // Once reaped, the number may already belong to another child.
        if (m_child == 0)
            return;
        const pid_t reaped = ::waitpid(m_child, nullptr, WNOHANG);
        // 0: still running. An error other than an interruption means there is
        // nothing left to wait for.
        if (reaped == 0 || (reaped < 0 && errno == EINTR))
            return;
        m_child = 0;
        deleteLater();
    }

    pid_t m_child;
    int m_descriptor;
};

} // namespace

void reapWhenEnded(pid_t child)
{
    new ChildReaper(child, QCoreApplication::instance());
}

} // namespace menugeral
