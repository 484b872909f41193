// The two forms a colour takes here, and the one conversion between them.
//
// A colour value is 0x00BBGGRR, red in the low byte: the window system's own colour form,
// what the colour dialog returns and what a payload's hand block stores. A pixel is
// 0x00RRGGBB: the form of a 32-bit bitmap and of a face image, and the order in which
// people write colours (#RRGGBB). Either way round the conversion swaps red and blue.
#pragma once

#include <cstdint>

namespace tavimore {

constexpr uint32_t SwapRedAndBlue(uint32_t value) {
  return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
}

// A colour value 0x00BBGGRR as a pixel 0x00RRGGBB.
constexpr uint32_t PixelFromColor(uint32_t color) { return SwapRedAndBlue(color); }
// A pixel 0x00RRGGBB as a colour value 0x00BBGGRR.
constexpr uint32_t ColorFromPixel(uint32_t pixel) { return SwapRedAndBlue(pixel); }

}  // namespace tavimore
