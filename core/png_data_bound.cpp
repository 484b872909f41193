#include "core/png_data_bound.h"

#include <cstring>

#include "core/byte_order.h"

namespace tavimore {
namespace {

// Samples a pixel for each colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
int Channels(int colourType) {
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return colourType >= 0 && colourType < 7 ? kChannels[colourType] : 0;
}

bool ValidDepth(int colourType, int depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: case 4: case 6: return depth == 8 || depth == 16;
  }
  return false;
}

// Rows of `width` pixels of `bits` bits each, with their filter bytes.
uint64_t Rows(int64_t width, int64_t height, int bits) {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<uint64_t>(height) * (1 + (static_cast<uint64_t>(width) * bits + 7) / 8);
}

}  // namespace

uint64_t PngStreamBytes(int64_t width, int64_t height, int bitDepth, int colourType, bool interlaced) {
  if (Channels(colourType) == 0 || !ValidDepth(colourType, bitDepth)) return 0;
  const int bits = Channels(colourType) * bitDepth;
  if (!interlaced) return Rows(width, height, bits);
  // Adam7: each pass takes every step-th pixel from a start, across and down.
  static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  uint64_t total = 0;
  for (const auto& p : kPasses)
    total += Rows((width - p[0] + p[2] - 1) / p[2], (height - p[1] + p[3] - 1) / p[3], bits);
  return total;
}

bool PngDataFitsItsSize(const uint8_t* bytes, size_t size) {
  // Signature (8); header chunk: length (4), "IHDR", width, height, bit depth, colour
  // type, compression, filter and interlace method, CRC.
  if (size < 33 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return true;
  const uint64_t needed = PngStreamBytes(Be32(bytes + 16), Be32(bytes + 20), bytes[24], bytes[25],
                                         bytes[28] == 1);
  if (needed == 0) return true;
  const uint64_t allowed = needed + needed / 4 + 4096;
  uint64_t data = 0;
  for (size_t at = 8; size - at >= 8;) {  // every chunk: length, type, data, CRC
    const size_t length = Be32(bytes + at);
    const size_t present = length < size - at - 8 ? length : size - at - 8;
    if (std::memcmp(bytes + at + 4, "IDAT", 4) == 0 && (data += present) > allowed) return false;
    if (std::memcmp(bytes + at + 4, "IEND", 4) == 0 || present < length || size - at - 8 - length < 4)
      break;
    at += 8 + length + 4;
  }
  return true;
}

}  // namespace tavimore
