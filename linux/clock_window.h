// The native clock's window (GTK 3 on X11): borderless, always on top, out of the taskbar,
// cut to its build's outline for drawing and input alike; it shows the pixels NativeClock
// draws, redrawn at the start of every second and drawn anew at GDK's scale factor
// (GDK_SCALE) in the same logical pixels: 82 x 82 times the user's size. The left button
// drags it through the window manager, the arrow keys move it, Esc ends it, the right
// button opens the clock's menu (core/clock_texts.h); Ctrl with the wheel sizes it. How it
// is fitted to the desk (core/desk_fit.h) is kept beside its place (clock_places.h).
#pragma once

#include "linux/native_clock.h"

namespace tavimore {

// Shows the clock until it is ended; gtk_init must have succeeded. Returns the exit code.
int RunClockWindow(NativeClock* clock);

// A message that the clock cannot start, in a dialog titled `title`; returns once it is
// closed.
void ShowStopMessage(const char* title, const char* message);

}  // namespace tavimore
