#include "FileAccessLog.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace menugeral::fuzz {
namespace {

// The log that records now, if any. Interposed C functions have no other way
// to reach it.
QList<QByteArray> *g_recording = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void record(const char *name)
{
    if (g_recording && name)
        g_recording->append(QByteArray(name));
}

// The C library's own function of that name, behind the one defined here.
template <typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

FileAccessLog::FileAccessLog()
{
    if (g_recording)
        std::abort(); // one log at a time
    g_recording = &m_names;
}

FileAccessLog::~FileAccessLog()
{
    g_recording = nullptr;
}

} // namespace menugeral::fuzz

using menugeral::fuzz::next;
using menugeral::fuzz::record;

extern "C" {

int stat(const char *name, struct stat *info) noexcept
{
    static const auto real = next<int (*)(const char *, struct stat *)>("stat");
    record(name);
    return real(name, info);
}

int lstat(const char *name, struct stat *info) noexcept
{
    static const auto real = next<int (*)(const char *, struct stat *)>("lstat");
    record(name);
    return real(name, info);
}

int stat64(const char *name, struct stat64 *info) noexcept
{
    static const auto real = next<int (*)(const char *, struct stat64 *)>("stat64");
    record(name);
    return real(name, info);
}

int lstat64(const char *name, struct stat64 *info) noexcept
{
    static const auto real = next<int (*)(const char *, struct stat64 *)>("lstat64");
    record(name);
    return real(name, info);
}

int statx(int directory, const char *name, int flags, unsigned int mask, struct statx *info) noexcept
{
    static const auto real = next<int (*)(int, const char *, int, unsigned int, struct statx *)>("statx");
    record(name);
    return real(directory, name, flags, mask, info);
}

int access(const char *name, int mode) noexcept
{
    static const auto real = next<int (*)(const char *, int)>("access");
    record(name);
    return real(name, mode);
}

int faccessat(int directory, const char *name, int mode, int flags) noexcept
{
    static const auto real = next<int (*)(int, const char *, int, int)>("faccessat");
    record(name);
    return real(directory, name, mode, flags);
}

char *realpath(const char *name, char *resolved) noexcept
{
    static const auto real = next<char *(*)(const char *, char *)>("realpath");
    record(name);
    return real(name, resolved);
}

} // extern "C"
