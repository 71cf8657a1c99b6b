#pragma once

#include <QRect>
#include <QStringView>

#include <array>

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

// A module tile on the modules panel; its hint and launch come from the
// catalogue row whose menu button has this name.
struct TileLayout
{
    QStringView name;
    QRect bounds;
};

// In drawing order: the left block row by row, then the right block.
inline constexpr std::array<TileLayout, 18> kTileLayouts{{
    {u"bitQorGerencial", {28, 72, 161, 80}},
    {u"bitQorCooper", {188, 72, 161, 80}},
    {u"bitQorIndustria", {28, 151, 161, 80}},
    {u"bitQorOndaro", {188, 151, 80, 80}},
    {u"bitQorConferencia", {269, 151, 80, 80}},
    {u"bitQorVendas", {28, 230, 80, 80}},
    {u"bitQorFinance", {109, 230, 80, 80}},
    {u"bitQorCaixa", {188, 230, 80, 80}},
    {u"bitQorPDV", {269, 230, 80, 80}},
    {u"bitQorNFeLight", {28, 309, 80, 80}},
    {u"bitQorNFeFree", {109, 309, 80, 80}},
    {u"bitQorCRM", {188, 309, 80, 80}},
    {u"bitQOrHelpDesk", {269, 309, 80, 80}},
    {u"bitRh", {388, 72, 161, 80}},
    {u"bitFiscal", {548, 72, 161, 80}},
    {u"bitContabilidade", {388, 151, 161, 80}},
    {u"bitLucroPresumido", {548, 151, 80, 80}},
    {u"bitControler", {629, 151, 80, 80}},
}};

} // namespace menugeral
