#include "platform/BackingStorePages.h"

namespace menugeral {

// Windows maps a window's drawing memory itself; nothing to ask for ahead.
bool populatePages(void *, std::size_t)
{
    return false;
}

} // namespace menugeral
