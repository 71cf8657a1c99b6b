#pragma once

#include "core/ModulePath.h"

#include <QString>
#include <QStringView>

namespace menugeral {

class Notifier;
class ProcessStarter;

inline constexpr QStringView kEmptyPathWarning =
    u"Sistema n\u00e3o dispon\u00edvel para utiliza\u00e7\u00e3o,\rfa\u00e7a contato com o nosso departamento "
    u"comercial.";
inline constexpr QStringView kInvalidPathWarning =
    u"Caminho inv\u00e1lido para acesso ao sistema,\rfa\u00e7a contato com o nosso suporte t\u00e9cnico.";

// Turns a module's configured path into a started program, with the two
// warnings for an empty and an unusable path.
class ModuleLauncher
{
public:
    ModuleLauncher(Notifier &notifier, ProcessStarter &starter, PathSyntax syntax);

    void ChamarExecutavel(const QString &path, QStringView launchKey);

private:
    Notifier &m_notifier;
    ProcessStarter &m_starter;
    PathSyntax m_syntax;
};

} // namespace menugeral
