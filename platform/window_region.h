// Cutting a window to an outline made of ellipses and rounded rectangles. The pieces are
// the same ones the portable outline mask is made from, so the screen and the mask agree.
#pragma once

#include <windows.h>

#include "core/clock_build.h"

namespace tavimore {

// Joins the pieces in order (union) and installs the result as the window's region; from
// then on the window system owns it. False when the region could not be made or set.
bool ApplyWindowRegion(HWND window, const OutlinePiece* pieces, int count);

}  // namespace tavimore
