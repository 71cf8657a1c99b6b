#pragma once

#include <cstddef>

class QWidget;

namespace menugeral {

// Makes the window's native window and its backing store now, at the window's
// size, and has the system map the backing store's memory in one go. Left to
// the first paint, every page of it (over four hundred for the menu) costs a
// page fault of its own, more than the painting itself. The window is not
// shown.
void prepareBackingStore(QWidget &window);

// Maps the memory pages that [begin, begin + size) touches, ready for writing,
// in a single call. Returns false where the system cannot do that; the pages
// are then mapped as they are first written, as usual. The contents are left
// as they are.
bool populatePages(void *begin, std::size_t size);

} // namespace menugeral
