// When a window counts as full screen, so that a clock on its monitor stays behind it.
#pragma once

#include "core/screen_rect.h"

namespace tavimore {

// True when a window whose client area (in screen coordinates) is `client` covers the
// whole of `monitor`: a video, a game or a slide show in full screen, which a clock on that
// monitor stays behind. A maximized window with a caption never does, however it lies: its
// frame hangs off the work area, and programs that draw their own caption make the client
// area the whole window, so where the work area is the whole monitor (a taskbar that hides
// itself, a monitor without one) a browser at work would look full screen.
bool CoversMonitor(const ScreenRect& client, bool maximizedWithCaption, const ScreenRect& monitor);

}  // namespace tavimore
