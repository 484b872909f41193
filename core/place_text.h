// A remembered place as the Linux clock stores it, in a text file of its own: "x y fit",
// the fit (core/desk_fit.h) as PackDeskFit's number. Files from before the fit was kept
// hold "x y" alone.
#pragma once

#include <cstddef>

#include "core/desk_fit.h"
#include "core/screen_rect.h"

namespace tavimore {

// A remembered place and fit as stored in a text, read back; false for text that is no
// such place or no plausible one, which is ignored. A text without a fit, or with a number
// UnpackDeskFit refuses, gives the new clock's fit: the place alone is still worth keeping.
bool ParsePlace(const char* text, size_t length, ScreenPoint* place, DeskFit* fit);

// Any two ints and the largest fit, "-2147483648 -2147483648 16843523", and the zero.
constexpr int kPlaceTextRoom = 33;

// `place` and `fit` as "x y fit" with a zero; returns its length.
int FormatPlace(ScreenPoint place, const DeskFit& fit, char text[kPlaceTextRoom]);

}  // namespace tavimore
