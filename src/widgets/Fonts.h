#pragma once

namespace menugeral {

// Declares free faces for the named faces the windows ask for ("MS Sans
// Serif", "Trebuchet MS", "Arial"), so that captions keep fitting their fixed
// boxes where those faces are missing. Call it once at start-up, before any
// window resolves a font: fonts already resolved keep their face.
// The faces come from Debian's fonts-dejavu-extra, fonts-lato and
// fonts-liberation2.
void installFontSubstitutions();

} // namespace menugeral
