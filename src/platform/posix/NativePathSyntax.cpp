#include "platform/NativePathSyntax.h"

namespace menugeral {

PathSyntax nativePathSyntax()
{
    return PathSyntax::Posix;
}

} // namespace menugeral
