#include "settings/SettingsPassword.h"

namespace menugeral {

bool isSettingsPassword(QStringView typed)
{
    return typed == u"TBX7341";
}

} // namespace menugeral
