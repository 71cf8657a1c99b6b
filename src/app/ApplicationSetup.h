#pragma once

#include "app/MenuStart.h"

namespace menugeral {

// Makes the windowing application, then hands over to a menu that started
// since `instance` asked, or runs the menu until its window closes. Returns the
// exit code.
int runMenu(MenuStart &start, MenuInstance &instance);

} // namespace menugeral
