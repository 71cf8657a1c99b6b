#pragma once

#include "core/ModulePath.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace menugeral {

struct ModuleEntry;

// One module as `menugeral --check` reports it.
struct ModuleStatus
{
    const ModuleEntry *module;
    QString path;
    PathState state;
};

// What the check found in one configuration file.
struct CheckReport
{
    QString fileName;
    QString problem;                   // why the file itself cannot be used; empty when it can
    bool refused = false;              // it exists but was not read (too large, a planted link...)
    QString ownership;                 // for the administrator: who else may change it, and the mend
    std::vector<ModuleStatus> modules; // in catalogue order

    // The file is usable, only those meant to may change it, and every
    // configured path can be started.
    bool passed() const;
};

// Reads the file as the menu does and judges every module's path.
CheckReport checkConfiguration(const QString &fileName, PathSyntax syntax);

// A table for people, and a JSON document for scripts; neither passes on a
// control character from the file raw, to a terminal that would obey it.
QString checkTable(const CheckReport &report);
QByteArray checkJson(const CheckReport &report);

// How a state is named on the terminal ("not found") and in JSON ("not-found").
QString stateText(PathState state);
QString stateId(PathState state);

} // namespace menugeral
