#pragma once

#include <QString>

namespace menugeral {

// Where the running program lies; configuracoes.ini is kept there.
class ProgramDirectory
{
public:
    virtual ~ProgramDirectory() = default;

    // The directory with a trailing separator.
    virtual QString path() const = 0;

    // The full name of configuracoes.ini in that directory.
    QString configFileName() const;
};

// The directory of the running executable.
class ExecutableDirectory final : public ProgramDirectory
{
public:
    QString path() const override;
};

} // namespace menugeral
