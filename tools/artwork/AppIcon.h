#pragma once

#include <QImage>

#include <array>

namespace menugeral::artwork {

// The sizes, in pixels, of the freedesktop hicolor theme that the installed
// application icon comes in.
inline constexpr std::array<int, 8> kAppIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The application icon: the emblem's cube in white on a rounded square of the
// menu's sky, drawn afresh for each size so that small ones stay sharp.
QImage drawAppIcon(int size);

} // namespace menugeral::artwork
