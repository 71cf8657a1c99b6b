#include "platform/PlatformPlugin.h"

namespace menugeral {

// Windows has one windowing plugin.
void choosePlatformPlugin()
{}

} // namespace menugeral
