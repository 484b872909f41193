// The windows of the other native clocks on this desktop, where the window system can tell
// (X11, through the window manager's list of the windows it shows); none elsewhere.
#pragma once

#include <gtk/gtk.h>

#include <vector>

#include "core/clock_placement.h"

namespace tavimore {

std::vector<ScreenRect> OtherClocks(GdkScreen* screen);

}  // namespace tavimore
