#pragma once

#include "app/MenuStart.h"

namespace menugeral {

// The window part of the program: hands over to a menu that started since it
// was asked, or runs the menu until its window closes. Returns the exit code.
int runMenu(MenuStart &start);

} // namespace menugeral
