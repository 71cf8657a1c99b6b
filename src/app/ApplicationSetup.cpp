#include "app/ApplicationSetup.h"

#include "app/MenuWindowClass.h"
#include "app/QtTranslation.h"
#include "app/SingleInstanceGuard.h"
#include "core/ProgramDirectory.h"
#include "menu/UnitMenuGeralNovoFrm.h"
#include "platform/DesktopWindowing.h"
#include "platform/FileChooser.h"
#include "platform/Notifier.h"
#include "platform/PlatformServices.h"
#include "platform/SystemProcessStarter.h"
#include "platform/WindowActivation.h"
#include "system/StartHandOver.h"
#include "system/TerminationSignals.h"
#include "widgets/BalloonHint.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>

#include <chrono>
#include <cstdio>
#include <memory>

namespace menugeral {
namespace {

// Shows the running menu normally and in front, or the modal window it is
// busy with (password or settings), which would otherwise stay behind it.
// `activationToken` is the one the later start handed over, if any.
void bringForward(QWidget &menu, const QByteArray &activationToken)
{
    menu.showNormal();
    menu.raise();
    QWidget *front = QApplication::activeModalWidget();
    if (front) {
        menu.activateWindow();
        front->raise();
    } else {
        front = &menu;
    }
    requestActivation(*front, activationToken);
    // Asked as a pager would: window managers let that through their
    // focus-stealing prevention, and the user did ask for the menu.
    activateNativeWindow(front->winId());
}

// A later start that found the lock held but no answer: a menu that is
// stuck, or one still busy starting. It must not become a second menu.
void reportSilentMenu(const SingleInstanceGuard &guard, bool windowFound)
{
    const QByteArray seconds = QByteArray::number(std::chrono::ceil<std::chrono::seconds>(guard.deadline()).count());
    QByteArray message = "menugeral: another menu holds the single-instance lock but did not answer within " + seconds +
                         " s; no second menu is started";
    message += windowFound ? "; its window was brought forward instead.\n" : ".\n";
    std::fputs(message.constData(), stderr);
}

} // namespace

int runMenu(MenuStart &start, MenuInstance &instance)
{
    choosePlatformPlugin();
    // Set before the first window, which takes its WM_CLASS from it. No
    // display name: it would be appended to every dialog's caption.
    QApplication::setApplicationName(kMenuWindowClass.toString());

    const QByteArray focusToken = handTokenToWindowSystem(start.activationToken);
    QApplication app(start.argc, start.argv);
    // Ended from outside (logout, kill): leave like a closed window does, so
    // the guard's lock and socket go with the process.
    // A request that comes while the window is still being made (its
    // missing-file warning runs an event loop of its own) ends that loop
    // only; it is remembered so the menu then leaves instead of showing.
    TerminationSignals termination;
    bool terminated = false;
    QObject::connect(&termination, &TerminationSignals::received, &app, [&terminated] {
        terminated = true;
        QCoreApplication::exit(0);
    });

    const auto [claim, guard] = instance.claim();
    switch (claim) {
    case SingleInstanceGuard::Claim::AnotherInstanceRuns:
        // A menu that started since this start asked; it shows itself.
        handForegroundToWindowOfClass(kMenuWindowClass);
        return 0;
    case SingleInstanceGuard::Claim::AnotherInstanceSilent:
        reportSilentMenu(*guard, activateWindowOfClass(kMenuWindowClass));
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
    // Only the start that becomes the menu shows Qt's dialogs.
    installQtTranslation(app);
    BalloonHint balloonHints(&app); // installs itself on the application

    MessageBoxNotifier notifier;
    DialogFileChooser fileChooser;
    SystemProcessStarter processStarter(notifier, start.moduleEnvironment);
    ExecutableDirectory programDirectory;
    const PlatformServices services{notifier, fileChooser, processStarter, programDirectory};

    // Starts that come while the window is still being made (its missing-file
    // warning runs an event loop) need nothing: the window is shown next.
    QPointer<TFrmMenuGeralNovo> shown;
    QObject::connect(guard.get(), &SingleInstanceGuard::activationRequested, &app,
                     [&shown](const QByteArray &laterToken) {
                         if (shown)
                             bringForward(*shown, laterToken);
                     });
    TFrmMenuGeralNovo menu(services);
    if (terminated)
        return 0;
    // Where a later start looks for the menu by window class and the menu's
    // own window cannot carry it, a marker answers for it.
    WindowClassMarker marker(kMenuWindowClass);
    QObject::connect(&marker, &WindowClassMarker::activationRequested, &app, [&menu] { bringForward(menu, {}); });
    menu.show();
    // The token this start was launched with lets the new window take the focus.
    if (!focusToken.isEmpty())
        requestActivation(menu, focusToken);
    guard->setWindowId(menu.winId());
    shown = &menu;
    return app.exec();
}

} // namespace menugeral
