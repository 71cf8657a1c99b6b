#include "app/ApplicationSetup.h"
#include "app/MenuStart.h"
#include "app/MenuWindowClass.h"
#include "cli/CommandLine.h"
#include "system/StartHandOver.h"

#include <utility>

int main(int argc, char **argv)
{
    using namespace menugeral;
    // The technician's commands run without a display and never reach the menu.
    if (const auto exitCode = runCommandLine(argc, argv))
        return *exitCode;
    // Taken before anything is changed in it for the menu itself.
    auto moduleEnvironment = environmentForModules();
    MenuStart start{argc, argv, takeActivationToken(), std::move(moduleEnvironment)};
    // A start while the menu runs only wakes it, before it makes a window
    // system connection it would not use.
    MenuInstance instance(start);
    if (instance.handedOver()) {
        handForegroundToWindowOfClass(kMenuWindowClass);
        return 0;
    }
    return runMenu(start, instance);
}
