// Window outlines as masks: which pixels of the window a build's outline keeps.
//
// The clock program hands the same pieces to the window system's region calls; the mask
// follows the window system's own rules for those calls, so that a mask made here and a
// window on the screen agree pixel for pixel. Those rules: a piece covers its rectangle
// less its right column and bottom row; an ellipse is a round rectangle whose corner is
// the whole piece; its rows come from an integer ellipse walk (the window system's own),
// not from the ideal curve.
#pragma once

#include <cstdint>

#include "core/clock_build.h"

namespace tavimore {

// num / 2 rounded to the nearest integer, halves to the even neighbour.
int NearestHalf(int num);

// Sets mask[y * width + x] to 1 for every pixel inside the union of the pieces and to 0
// elsewhere; pieces are clipped to the mask.
void OutlineMask(const OutlinePiece* pieces, int count, uint8_t* mask, int width, int height);

// The outline of a build at `dpi` (see clock_scale.h), as a mask of the window's
// ScaledWindowSize(dpi) squared pixels.
void BuildOutlineMask(const ClockBuild& build, int dpi, uint8_t* mask);

}  // namespace tavimore
