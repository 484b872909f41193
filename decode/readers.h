// Debian's picture libraries, one reader each, behind DecodeWithSystem on Linux. Each
// fills `out` with exactly `width` x `height` RGBA pixels or fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/decoded_pixels.h"

namespace tavimore {

bool ReadPng(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out);
bool ReadJpeg(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out);
bool ReadGif(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out);

}  // namespace tavimore
