#include "app/ApplicationSetup.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int menugeral_run_menu(menugeral::MenuStart *start)
{
    return menugeral::runMenu(*start);
}
