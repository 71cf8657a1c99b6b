#pragma once

#include <QRect>
#include <QStringView>

namespace menugeral {

// Where the main window's widgets stand, in 96-dpi pixels of their parent.
inline constexpr QSize kMenuClientSize{780, 569};
inline constexpr QRgb kMenuColourKey = 0x00FFFF; // aqua: cut out of the window
inline constexpr QStringView kMenuCaption = u"M e n u  G e r a l  d o  S i s t e m a.";

inline constexpr QRect kImage2Bounds{0, 0, 780, 569};
inline constexpr QRect kPngPicture1Bounds{21, 7, 267, 67};
inline constexpr QRect kPngPicture2Bounds{673, 8, 87, 67};
inline constexpr QRect kTitleStripBounds{21, 82, 736, 24};
inline constexpr QRect kModulesPanelBounds{21, 109, 736, 435};

// The captions of both panels: MenuCaptions.h.

// Modules panel.
inline constexpr QRect kImage21Bounds{16, 52, 342, 2};
inline constexpr QRect kImage3Bounds{376, 52, 342, 2};
inline constexpr QRect kImage4Bounds{367, 72, 2, 320};

// The module tiles: each row of the ModuleCatalogue holds its tile's bounds.

} // namespace menugeral
