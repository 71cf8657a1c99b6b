#pragma once

#include <QColor>
#include <QRect>
#include <QStringView>

#include <array>

class QLabel;

namespace menugeral {

// A caption of the main window: a label in the heading colour over a panel.
// The artwork generator draws each one ahead of time from the same row, so
// that the window's first paint needs no font (see CaptionLabel).
struct MenuCaption
{
    QStringView name; // the label's object name, and its picture's file name
    QStringView text;
    QRect bounds;  // in its panel
    int pixelSize; // "Trebuchet MS", bold
    bool italic;
    Qt::Alignment alignment;
};

inline constexpr QStringView kCaptionFace = u"Trebuchet MS";
inline constexpr QRgb kCaptionColour = 0x1D6597;

// On the title strip.
inline constexpr MenuCaption kLabel2Caption{u"Label2", u"Acesso aos Sistemas",         {0, 1, 736, 18}, 13,
                                            true,      Qt::AlignHCenter | Qt::AlignTop};
inline constexpr MenuCaption kMinimizarCaption{
    u"lbMinimizar", u"-", {698, 2, 6, 22}, 16, true, Qt::AlignLeft | Qt::AlignVCenter};
inline constexpr MenuCaption kSairCaption{u"lbSair", u"Sair", {704, 1, 28, 18},
                                          13,        true,    Qt::AlignRight | Qt::AlignTop};

// On the modules panel.
inline constexpr MenuCaption kLabel1Caption{u"Label1", u"Gest\u00e3o Empresarial",      {28, 25, 146, 22}, 16,
                                            false,     Qt::AlignLeft | Qt::AlignVCenter};
inline constexpr MenuCaption kLabel3Caption{u"Label3", u"Gest\u00e3o Cont\u00e1bil",    {388, 25, 119, 22}, 16,
                                            false,     Qt::AlignLeft | Qt::AlignVCenter};

inline constexpr std::array<MenuCaption, 5> kMenuCaptions{kLabel2Caption, kMinimizarCaption, kSairCaption,
                                                          kLabel1Caption, kLabel3Caption};

// Gives the label the caption's name, bounds, text, font, colour and alignment.
void applyCaption(QLabel &label, const MenuCaption &caption);

// "menu/captions/lbSair.png": the caption's picture among the artwork.
QString captionArtworkName(const MenuCaption &caption);

} // namespace menugeral
