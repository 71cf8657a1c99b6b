#include "platform/NativePathSyntax.h"

namespace menugeral {

PathSyntax nativePathSyntax()
{
    return PathSyntax::Windows;
}

} // namespace menugeral
