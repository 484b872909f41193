// Picture files made in memory for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavimore::test {

// RGBA pixels, top row first.
struct Rgba {
  int width, height;
  std::vector<uint8_t> pixels;
};

// A strip of `frames` 80 x 80 frames made to expose flips, swapped channels and frame
// order: frame k is filled with (10 + k, 100 + k, 200 - k) and has a marker
// (250, 5, 128) in its top-left pixel.
Rgba MarkedStrip(int frames);
// The pixel 0x00RRGGBB that frame k of MarkedStrip has at (x, y).
uint32_t MarkedPixel(int k, int x, int y);

std::vector<uint8_t> EncodePng(const Rgba& picture);
std::vector<uint8_t> EncodeBmp(const Rgba& picture);

}  // namespace tavimore::test
