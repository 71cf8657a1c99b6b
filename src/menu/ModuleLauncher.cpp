#include "menu/ModuleLauncher.h"

#include "core/ModuleCatalogue.h"
#include "platform/Notifier.h"
#include "platform/ProcessStarter.h"

namespace menugeral {

ModuleLauncher::ModuleLauncher(Notifier &notifier, ProcessStarter &starter, PathSyntax syntax)
    : m_notifier(notifier), m_starter(starter), m_syntax(syntax)
{}

void ModuleLauncher::ChamarExecutavel(const QString &path, QStringView launchKey)
{
    const ParsedPath parsed = parsePath(path, m_syntax);
    if (parsed.state == PathState::Empty) {
        m_notifier.warning(kEmptyPathWarning.toString());
        return;
    }
    if (parsed.state != PathState::Startable) {
        m_notifier.warning(kInvalidPathWarning.toString());
        return;
    }
    // A key outside the catalogue starts nothing and says nothing.
    const ModuleEntry *module = ModuleCatalogue::findByLaunchKey(launchKey);
    if (module == nullptr || !NaoFoiAberto(launchKey))
        return;

    // The program the check found is run, even where its folder holds blanks.
    if (module->remoteDesktopLaunch && path.toUpper().contains(u"MSTSC")) {
        m_starter.runCommandLine(parsed.commandLine);
        return;
    }
    // A path ending in a separator names no file: there is nothing to start.
    if (parsed.launch.fileName.isEmpty())
        return;
    m_starter.startProgram(parsed.launch);
}

} // namespace menugeral
