#pragma once

#include "catalogue/ModulePath.h"

namespace menugeral {

// The module path syntax of the system the program was built for.
PathSyntax nativePathSyntax();

} // namespace menugeral
