#include "platform/BackingStorePages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace menugeral {

bool populatePages(void *begin, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    if (begin == nullptr || size == 0)
        return false;
    const auto pageSize = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(begin) & ~(pageSize - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(begin) + size;
    // Older kernels refuse the advice (EINVAL): nothing is lost but the speed.
    return madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE) == 0;
#else
    (void)begin;
    (void)size;
    return false;
#endif
}

} // namespace menugeral
