#pragma once

namespace menugeral {

// Declares free, metric-close faces for the named faces the windows ask for
// ("MS Sans Serif", "Trebuchet MS", "Arial"), so captions keep fitting their
// fixed boxes where those faces are missing.
void installFontSubstitutions();

} // namespace menugeral
