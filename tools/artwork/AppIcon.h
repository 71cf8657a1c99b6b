#pragma once

#include <QByteArray>
#include <QImage>

#include <array>

namespace menugeral::artwork {

// The sizes, in pixels, of the freedesktop hicolor theme that the installed
// application icon comes in.
inline constexpr std::array<int, 8> kAppIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The sizes of the Windows program's icon file, which the program, its
// installer and its uninstaller carry.
inline constexpr std::array<int, 7> kAppIconFileSizes{16, 24, 32, 48, 64, 128, 256};

// The application icon: the emblem's cube in white on a rounded square of the
// menu's sky, drawn afresh for each size so that small ones stay sharp.
QImage drawAppIcon(int size);

// The application icon as an icon file: every size in true colour with
// alpha, the 256 px picture kept as PNG.
QByteArray appIconFile();

} // namespace menugeral::artwork
