#include "system/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace menugeral {
namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// The writing end of the pipe from the handler to the event loop. A handler
// may only touch such a plain value; there is one event loop per program.
volatile sig_atomic_t writeEnd = -1;

extern "C" void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end: nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

class TerminationSignals::Private
{
public:
    std::array<int, 2> fds{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
    std::array<struct sigaction, kSignals.size()> previous{};
    bool installed = false;
};

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent), d(std::make_unique<Private>())
{
    if (writeEnd != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, d->fds.data()) != 0)
        return;
    writeEnd = d->fds[0];
    d->notifier = std::make_unique<QSocketNotifier>(d->fds[1], QSocketNotifier::Read);
    connect(d->notifier.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (::read(d->fds[1], &number, 1) == 1)
            Q_EMIT received(number);
    });
    struct sigaction action
    {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &d->previous[i]);
    d->installed = true;
}

TerminationSignals::~TerminationSignals()
{
    if (d->installed) {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &d->previous[i], nullptr);
        writeEnd = -1;
    }
    d->notifier.reset();
    for (const int fd : d->fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace menugeral
