// Encoding pictures into memory as PNG or BMP, for the command line and for tests that
// need picture files.
#pragma once

#include <cstdint>
#include <vector>

namespace tavimore {

// `pixels`: `height` rows of `width` pixels, top row first, `channels` bytes per pixel
// (1: grey; 3: red, green, blue; 4: red, green, blue, alpha). An empty result means the
// picture could not be encoded.
std::vector<uint8_t> EncodePng(const uint8_t* pixels, int width, int height, int channels);
std::vector<uint8_t> EncodeBmp(const uint8_t* pixels, int width, int height, int channels);

}  // namespace tavimore
