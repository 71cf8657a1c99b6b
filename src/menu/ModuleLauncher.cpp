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
    if (path.isEmpty()) {
        m_notifier.warning(kEmptyPathWarning.toString());
        return;
    }
    if (!ValidarCaminho(path, m_syntax)) {
        m_notifier.warning(kInvalidPathWarning.toString());
        return;
    }
    // A key outside the catalogue starts nothing and says nothing.
    const ModuleEntry *module = ModuleCatalogue::findByLaunchKey(launchKey);
    if (module == nullptr || !NaoFoiAberto(launchKey))
        return;

    // The program validation found is run, even where its folder holds blanks.
    if (module->remoteDesktopLaunch && path.toUpper().contains(u"MSTSC")) {
        m_starter.runCommandLine(commandLineRequest(path, m_syntax));
        return;
    }
    const LaunchRequest request = ExtrairDadosCaminho(path, m_syntax);
    // A path ending in a separator names no file: there is nothing to start.
    if (request.fileName.isEmpty())
        return;
    m_starter.startProgram(request);
}

} // namespace menugeral
