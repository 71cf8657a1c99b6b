#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace menugeral {

// One module's new path; an empty path unsets it.
struct PathChange
{
    std::size_t module; // catalogue index
    QString path;
};

// The catalogue index of the module a technician names by its settings label
// ("Folha de Pgto.") or its key in the file ("Modulo Folha de Pagamento"),
// in any letter case.
std::optional<std::size_t> findModule(QStringView labelOrKey);

// The changes that `--set "<module>=<path>"` and `--unset <module>` ask for,
// or why they cannot be made (an unknown module, one named twice).
std::variant<std::vector<PathChange>, QString> parsePathChanges(const QStringList &sets, const QStringList &unsets);

// Applies the changes to the file and saves it as the settings window does:
// the same refusals, the same bytes, one atomic save. Empty on success,
// otherwise why nothing was saved.
QString applyPathChanges(const QString &fileName, const std::vector<PathChange> &changes);

} // namespace menugeral
