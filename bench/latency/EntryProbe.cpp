// menugeral-bench-entry-probe: the started program of the click benchmark.
// Its first instruction reads the monotonic clock and appends it, in
// nanoseconds and followed by "\n", to the file that MENUGERAL_ENTRY_LOG
// names. Plain C++ without Qt, so that it costs the same however it is
// started and adds as little as it can to what is measured.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

int main()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char *log = std::getenv("MENUGERAL_ENTRY_LOG");
    if (log == nullptr)
        return 2;
    char line[32];
    const int length =
        std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return 1;
    const bool written = write(fd, line, static_cast<std::size_t>(length)) == length;
    close(fd);
    return written ? 0 : 1;
}
