#include "app/ApplicationSetup.h"

#include "app/SingleInstanceGuard.h"
#include "menu/UnitMenuGeralNovoFrm.h"
#include "platform/BackingStorePages.h"
#include "platform/DialogFileChooser.h"
#include "platform/ExecutableDirectory.h"
#include "platform/MessageBoxNotifier.h"
#include "platform/PlatformPlugin.h"
#include "platform/PlatformServices.h"
#include "platform/SystemProcessStarter.h"
#include "platform/TerminationSignals.h"
#include "platform/WindowActivation.h"
#include "platform/WindowClassMarker.h"
#include "widgets/BalloonHint.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QPointer>

#include <memory>

namespace menugeral {
namespace {

// Shows the running menu normally and in front, or the modal window it is
// busy with (password or settings), which would otherwise stay behind it.
void bringForward(QWidget &menu)
{
    menu.showNormal();
    menu.raise();
    menu.activateWindow();
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = &menu;
    front->raise();
    front->activateWindow();
    // Asked as a pager would: window managers let that through their
    // focus-stealing prevention, and the user did ask for the menu.
    activateNativeWindow(front->winId());
}

} // namespace

int runMenu(int &argc, char **argv)
{
    choosePlatformPlugin();
    // Set before the first window, which takes its WM_CLASS from it. No
    // display name: it would be appended to every dialog's caption.
    QApplication::setApplicationName(kMenuWindowClass.toString());
    QApplication app(argc, argv);
    // Ended from outside (logout, kill): leave like a closed window does, so
    // the guard's lock and socket go with the process.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, [] { QCoreApplication::exit(0); });

    SingleInstanceGuard guard(currentInstanceAddress());
    switch (guard.claim()) {
    case SingleInstanceGuard::Claim::AnotherInstanceRuns:
        // The running menu shows itself; asking the window manager from here
        // as well makes sure it really comes forward.
        if (!activateWindowOfClass(kMenuWindowClass) && guard.runningWindowId() != 0)
            activateNativeWindow(guard.runningWindowId());
        return 0;
    case SingleInstanceGuard::Claim::FirstInstance:
    case SingleInstanceGuard::Claim::Unguarded:
        break;
    }
    // A window of the menu's class that another program owns counts as a
    // running menu too.
    if (activateWindowOfClass(kMenuWindowClass))
        return 0;

    installFontSubstitutions();
    BalloonHint balloonHints(&app); // installs itself on the application

    MessageBoxNotifier notifier;
    DialogFileChooser fileChooser;
    SystemProcessStarter processStarter(notifier);
    ExecutableDirectory programDirectory;
    const PlatformServices services{notifier, fileChooser, processStarter, programDirectory};

    // Starts that come while the window is still being made (its missing-file
    // warning runs an event loop) need nothing: the window is shown next.
    QPointer<TFrmMenuGeralNovo> shown;
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &app, [&shown] {
        if (shown)
            bringForward(*shown);
    });
    TFrmMenuGeralNovo menu(services);
    prepareBackingStore(menu);
    // Where a later start looks for the menu by window class and the menu's
    // own window cannot carry it, a marker answers for it.
    WindowClassMarker marker(kMenuWindowClass);
    QObject::connect(&marker, &WindowClassMarker::activationRequested, &app, [&menu] { bringForward(menu); });
    menu.show();
    guard.setWindowId(menu.winId());
    shown = &menu;
    return app.exec();
}

} // namespace menugeral
