// Decoding a picture file held in memory (GIF, JPEG or BMP) with the window system's own
// picture loader, so the clock carries only the picture's bytes and no decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

// Writes the picture's width x height pixels into `values` in the layout of a face image:
// bottom row first, each row left to right, each pixel 0x00RRGGBB. False when the bytes
// are no picture the loader reads, or the picture has another size.
bool DecodePictureWithOle(const uint8_t* bytes, size_t size, int width, int height,
                          uint32_t* values);

}  // namespace tavimore
