#pragma once

#include "menu/MenuCaptions.h"

#include <QImage>

namespace menugeral::artwork {

// The caption exactly as the main window's label draws its text, at `scale`
// times its size, on a transparent ground: the label shows this picture
// instead of asking the font system at start-up. Needs a QApplication and the
// program's font substitutions.
QImage drawCaption(const MenuCaption &caption, int scale);

} // namespace menugeral::artwork
