#pragma once

namespace menugeral {

// Whether top-level windows with an alpha channel are blended with what lies
// beneath them (a compositing desktop), so a window can have soft edges and
// a shadow. Where they are not, transparent pixels would show up black.
bool desktopHasTranslucentWindows();

} // namespace menugeral
