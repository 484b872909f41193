// A remembered place as the Linux clock stores it, in a text file of its own: "x y".
#pragma once

#include <cstddef>

#include "core/screen_rect.h"

namespace tavimore {

// A remembered place as stored in a text, "x y", read back; false for text that is no
// such pair or no plausible place, which is ignored.
bool ParsePlace(const char* text, size_t length, ScreenPoint* place);

constexpr int kPlaceTextRoom = 24;  // "-1000000 -1000000" and the zero, with room to spare

// `place` as "x y" with a zero; returns its length.
int FormatPlace(ScreenPoint place, char text[kPlaceTextRoom]);

}  // namespace tavimore
