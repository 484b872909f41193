#include "test_pictures.h"

#include "tools/picture_encode.h"

namespace tavimore::test {

uint32_t MarkedPixel(int k, int x, int y) {
  if (x == 0 && y == 0) return 0x00FA0580;
  return static_cast<uint32_t>(10 + k) << 16 | static_cast<uint32_t>(100 + k) << 8 |
         static_cast<uint32_t>(200 - k);
}

Rgba MarkedStrip(int frames) {
  Rgba r{80, 80 * frames, {}};
  r.pixels.resize(static_cast<size_t>(r.width) * r.height * 4);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) {
      const uint32_t p = MarkedPixel(y / 80, x, y % 80);
      uint8_t* q = &r.pixels[(static_cast<size_t>(y) * r.width + x) * 4];
      q[0] = static_cast<uint8_t>(p >> 16);
      q[1] = static_cast<uint8_t>(p >> 8);
      q[2] = static_cast<uint8_t>(p);
      q[3] = 255;
    }
  return r;
}

std::vector<uint8_t> EncodePng(const Rgba& p) {
  return tavimore::EncodePng(p.pixels.data(), p.width, p.height, 4);
}

std::vector<uint8_t> EncodeBmp(const Rgba& p) {
  return tavimore::EncodeBmp(p.pixels.data(), p.width, p.height, 4);
}

}  // namespace tavimore::test
