#include "app/ApplicationSetup.h"
#include "cli/CommandLine.h"

int main(int argc, char **argv)
{
    // The technician's commands run without a display and never reach the menu.
    if (const auto exitCode = menugeral::runCommandLine(argc, argv))
        return *exitCode;
    return menugeral::runMenu(argc, argv);
}
