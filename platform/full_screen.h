// Full-screen work in front of the clock: a video, a game or a slide show that covers the
// whole monitor the clock is on, which the clock stays behind while it lasts.
#pragma once

#include <windows.h>

namespace tavimore {

// The window in front when it covers the whole monitor of `clock` and is neither the
// clock's own (its menu, its boxes) nor the desktop's or the taskbar's; null otherwise.
HWND FullScreenWindowInFront(HWND clock);

}  // namespace tavimore
