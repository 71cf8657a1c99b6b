#pragma once

namespace menugeral {

// Chooses the windowing plugin before the application object is made, unless
// the user chose one (QT_QPA_PLATFORM). Call it first thing in main.
void choosePlatformPlugin();

} // namespace menugeral
