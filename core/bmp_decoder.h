// A bounded decoder for Windows bitmap files, every form a Windows viewer opens: the
// 12-byte, 40-byte, V4 and V5 information headers (and OS/2's 16 to 64-byte ones), 1, 4,
// 8, 16, 24 and 32 bits a pixel, rows bottom up or top down, RLE8 and RLE4 (with their
// end-of-line, end-of-bitmap and delta codes), and bit-field masks of any width.
//
// Rules where the format leaves a choice:
// - Pixels an RLE picture never sets (skipped by a delta or an early end of line) are
//   transparent, so they show the picture box's background; so does a mask whose alpha
//   is given. A picture whose alpha mask gives 0 everywhere is taken as opaque: programs
//   write such files without meaning every pixel to be invisible.
// - 32-bit pixels without masks ignore their fourth byte, as Windows does.
// - A channel of n < 8 bits becomes 8 bits by repeating its bits (5 bits abcde give
//   abcdeabc); a wider one keeps its top 8 bits.
// - A palette index past the palette gives black.
// - RLE data that ends early leaves the rest unset; uncompressed rows that are missing
//   make the file undecodable.
//
// The caller says how many pixels it will take at most; nothing larger is allocated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/decoded_pixels.h"

namespace tavimore {

// True with `out` filled (RGBA), false for a file that is not a bitmap this decoder
// reads or holds more than `maxPixels` pixels.
bool DecodeBmp(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPixels* out);

}  // namespace tavimore
