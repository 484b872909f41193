#include "core/picture_header.h"

#include <cstring>

#include "core/byte_order.h"

namespace tavimore {
namespace {

PictureHeader Png(const uint8_t* b, size_t n) {
  // Signature (8), then the header chunk: length 13 (4), "IHDR" (4), width, height.
  if (n < 24 || std::memcmp(b + 12, "IHDR", 4) != 0) return {};
  return {PictureKind::kPng, Be32(b + 16), Be32(b + 20)};
}

PictureHeader Gif(const uint8_t* b, size_t n) {
  if (n < 10) return {};
  return {PictureKind::kGif, Le16(b + 6), Le16(b + 8)};  // the logical screen
}

PictureHeader Bmp(const uint8_t* b, size_t n) {
  // File header (14 bytes), then an information header that starts with its own size.
  if (n < 18) return {};
  const uint32_t headerSize = Le32(b + 14);
  if (headerSize == 12) {  // the oldest form: 16-bit unsigned width and height
    if (n < 22) return {};
    return {PictureKind::kBmp, Le16(b + 18), Le16(b + 20)};
  }
  if (headerSize < 16 || n < 26) return {};
  const int64_t height = static_cast<int32_t>(Le32(b + 22));  // negative: rows top down
  return {PictureKind::kBmp, static_cast<int32_t>(Le32(b + 18)), height < 0 ? -height : height};
}

PictureHeader Jpeg(const uint8_t* b, size_t n) {
  size_t p = 2;  // after the start-of-image marker
  while (p < n) {
    if (b[p] != 0xFF) return {};
    while (p < n && b[p] == 0xFF) ++p;  // fill bytes
    if (p >= n) return {};
    const uint8_t marker = b[p++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return {};  // image data before any frame header
    if (n - p < 2) return {};
    const size_t length = Be16(b + p);  // counts its own two bytes
    if (length < 2 || n - p < length) return {};
    // SOF0..SOF15 are frame headers, except C4 (Huffman tables), C8 (reserved) and CC
    // (arithmetic coding conditions).
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 7) return {};
      return {PictureKind::kJpeg, Be16(b + p + 5), Be16(b + p + 3)};
    }
    p += length;
  }
  return {};
}

}  // namespace

PictureHeader ReadPictureHeader(const uint8_t* bytes, size_t size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(bytes, kPng, 8) == 0) return Png(bytes, size);
  if (size >= 6 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0))
    return Gif(bytes, size);
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return Bmp(bytes, size);
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return Jpeg(bytes, size);
  return {};
}

}  // namespace tavimore
