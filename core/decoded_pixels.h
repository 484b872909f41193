// Pixels as a decoder hands them over: `height` rows of `width` pixels, top row first,
// four bytes a pixel in `order`, alpha straight (not multiplied into the colour), 255 for
// opaque. Every decoder, ours or a platform's, produces this form.
#pragma once

#include <cstdint>
#include <vector>

namespace tavimore {

enum class ChannelOrder { kRgba, kBgra };

struct DecodedPixels {
  int width = 0;
  int height = 0;
  ChannelOrder order = ChannelOrder::kRgba;
  std::vector<uint8_t> bytes;
};

}  // namespace tavimore
