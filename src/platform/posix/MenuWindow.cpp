#include "app/MenuStart.h"

#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

// The window part is a module of its own here, loaded only by the start that
// becomes the menu. Debian links Qt Gui and Qt Widgets to bind every symbol at
// load, and they bring GL, D-Bus, fontconfig and more: a start that only wakes
// the running menu spent more than half its time in the loader.
namespace menugeral {
using namespace Qt::StringLiterals;

int runMenuWindow(MenuStart &start)
{
    // Beside the real executable, as the menu finds configuracoes.ini; there
    // is no application object yet to ask for its folder.
    const QString folder = QFileInfo(u"/proc/self/exe"_s).canonicalPath();
    // Stays loaded after `module` goes: QLibrary unloads only when asked.
    QLibrary module(folder + u'/' + QStringLiteral(MENUGERAL_WINDOW_MODULE));
    const auto run = reinterpret_cast<decltype(&menugeral_run_menu)>(module.resolve(kWindowModuleEntry));
    if (!run) {
        const QByteArray why = "menugeral: cannot load the window module: " + module.errorString().toLocal8Bit() + '\n';
        std::fputs(why.constData(), stderr);
        return 1;
    }
    return run(&start);
}

} // namespace menugeral
