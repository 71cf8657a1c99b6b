#pragma once

#include <QStringView>

namespace menugeral {

// The application name: on X11 it becomes the class part of every window's
// WM_CLASS, the mark by which a later start recognises a running menu.
inline constexpr QStringView kMenuWindowClass = u"TFrmMenuGeralNovo";

} // namespace menugeral
