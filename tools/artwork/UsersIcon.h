#pragma once

#include "IcoFile.h"

#include <QByteArray>
#include <QImage>

namespace menugeral::artwork {

// Two people, one behind the other, `size` pixels square. In colour: shaded
// figures with soft edges; flat: hard-edged figures in colours of the classic
// sixteen-colour palette.
QImage drawUsers(int size, bool flat);

// The users icon file: 48, 32 and 16 pixels, each in 16 colours, 256 colours
// and true colour with alpha.
QByteArray usersIconFile();

} // namespace menugeral::artwork
