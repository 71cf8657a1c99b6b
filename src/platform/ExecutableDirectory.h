#pragma once

#include "platform/ProgramDirectory.h"

namespace menugeral {

// The directory of the running executable.
class ExecutableDirectory final : public ProgramDirectory
{
public:
    QString path() const override;
};

} // namespace menugeral
