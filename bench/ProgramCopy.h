#pragma once

#include <QString>

namespace menugeral::bench {

// Copies `program` into `folder` with the window module that lies beside it,
// if any (a build from before the module, or a bare program, has none); the
// copy's full name, or nothing when it cannot be made.
QString copyProgram(const QString &program, const QString &folder);

} // namespace menugeral::bench
