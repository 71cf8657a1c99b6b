#include "app/ApplicationSetup.h"

// The window part stays linked into the program here: the cost of loading the
// windowing libraries was measured, and split off, on Linux only, and a menu
// folder with one program file is what Windows technicians copy around.
namespace menugeral {

int runMenuWindow(MenuStart &start)
{
    return runMenu(start);
}

} // namespace menugeral
