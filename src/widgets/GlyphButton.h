#pragma once

#include <QPushButton>

namespace menugeral {

// Turns a 16 x 16 glyph drawn on magenta (#FF00FF) into a picture whose magenta
// pixels are transparent.
QPixmap glyphWithTransparentMagenta(const QImage &glyph);

// A push button with a 16 x 16 glyph to the left of its caption. It has no
// default or cancel role of its own (the window names its one default and one
// cancel button): a click does only what its handler does. Enter pressed
// while it has the focus presses it.
class GlyphButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int kGlyphSize = 16;

    GlyphButton(const QString &caption, const QImage &glyph, QWidget *parent = nullptr);
};

} // namespace menugeral
