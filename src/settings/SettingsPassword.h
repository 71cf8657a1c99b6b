#pragma once

#include <QStringView>

namespace menugeral {

// True only for the built-in settings password, compared character for character.
bool isSettingsPassword(QStringView typed);

} // namespace menugeral
