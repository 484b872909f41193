// A screen's scale, given as its DPI the way the window systems report it: 96 DPI is
// 100 %, where the clock is the 82 x 82 window every other part of the system describes.
// At scale s = dpi / 96 the clock is drawn anew, not enlarged: its outline from the
// build's pieces with every coordinate scaled, its hands from the same geometry with
// scaled pens, its face pictures enlarged (see EnlargeFace).
#pragma once

#include <cstdint>

#include "core/clock_build.h"

namespace tavimore {

constexpr int kBaseDpi = 96;
// 500 %, the largest scale Windows offers; a larger figure draws at this.
constexpr int kMaxDpi = 480;

// The DPI a front end's figure stands for: smaller than 96 (or nonsense) draws at 96, since
// the pictures are made for 100 % and are never made smaller.
int ClampDpi(int dpi);

// round(length * dpi / 96), halves upwards, for 0 <= length and a clamped dpi.
inline int Scaled(int length, int dpi) { return (length * dpi + kBaseDpi / 2) / kBaseDpi; }

inline int ScaledWindowSize(int dpi) { return Scaled(kWindowSize, dpi); }
inline int ScaledFaceSize(int dpi) { return Scaled(kFaceSize, dpi); }
constexpr int kMaxWindowSize = (kWindowSize * kMaxDpi + kBaseDpi / 2) / kBaseDpi;

// The build's outline pieces for its 80 x 80 face with every coordinate (corners
// included) scaled; at 96 DPI the build's own pieces. Returns how many there are.
int ScaledOutline(const ClockBuild& build, int dpi, OutlinePiece pieces[kMaxOutlinePieces]);

}  // namespace tavimore
