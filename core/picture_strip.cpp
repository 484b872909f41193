#include "core/picture_strip.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/payload_format.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO  // files are read by the caller
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_FAILURE_STRINGS
// The decoder's state starts zeroed. stb_image 2.27 leaves it uninitialised, and a JPEG
// whose scan uses a Huffman table it never defined then indexes the symbols with garbage;
// a zeroed table decodes every code as symbol 0 instead, within bounds.
#define STBI_MALLOC(size) calloc(1, size)
#define STBI_REALLOC(p, size) realloc(p, size)
#define STBI_FREE(p) free(p)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#if defined(__clang__)
// The decoder copies zero bytes to or from a null pointer (a PNG's empty first data
// chunk), which every C library takes as doing nothing; the sanitizer's check of that is
// turned off for the decoder alone.
#pragma clang attribute push(__attribute__((no_sanitize("nonnull-attribute"))), apply_to = function)
#endif
#include <stb_image.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace tavimore {
namespace {

// stb_image 2.27 (Debian 12's) trusts the code counts of a JPEG Huffman table: counts
// adding up to more than the 256 symbols a table holds make it write past the table. A
// JPEG holding such a table anywhere is refused before the decoder sees it.
//
// The decoder takes a file for a JPEG when it starts with FF bytes and then D8, and reads
// 0 past the end. Any table it reads follows bytes FF C4 and the segment's two-byte
// length (which counts itself); a table at t holds its counts at t+1..t+16, and the next
// table of the segment follows the table's symbols. Following those chains from every FF
// C4 would take quadratic time on a hostile file, so the first oversized table on the
// chain from each position is worked out once, from the end backwards.
bool JpegTablesFit(const uint8_t* bytes, size_t size) {
  size_t start = 0;
  while (start < size && bytes[start] == 0xFF) ++start;
  if (start == 0 || start >= size || bytes[start] != 0xD8) return true;

  const auto at = [&](size_t i) -> size_t { return i < size ? bytes[i] : 0; };
  std::vector<uint32_t> firstBad(size, static_cast<uint32_t>(size));  // size <= INT_MAX
  for (size_t t = size; t-- > start;) {
    size_t symbols = 0;
    for (size_t k = 1; k <= 16; ++k) symbols += at(t + k);
    const size_t next = t + 17 + symbols;
    firstBad[t] = symbols > 256 ? static_cast<uint32_t>(t)
                  : next < size ? firstBad[next]
                                : static_cast<uint32_t>(size);
  }
  for (size_t i = start; i + 4 < size; ++i) {
    if (bytes[i] != 0xFF || bytes[i + 1] != 0xC4) continue;
    const size_t end = i + 2 + (at(i + 2) << 8 | at(i + 3));
    if (firstBad[i + 4] < end) return false;
  }
  return true;
}

// stb_image grows its buffer for a PNG's image data to what a data chunk's length says
// before reading the chunk, so a file of a few hundred bytes could make it ask for 2 GB.
// Every chunk before the end chunk that claims more bytes than the file has left would
// fail the decoder anyway; such PNGs are refused before it allocates anything.
bool PngChunksFit(const uint8_t* bytes, size_t size) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
    return true;
  // A chunk: 4-byte big-endian length, 4-byte type, the data, a 4-byte checksum.
  for (size_t p = sizeof kSignature; size - p >= 8;) {
    if (std::memcmp(bytes + p + 4, "IEND", 4) == 0) return true;
    const size_t length = static_cast<size_t>(bytes[p]) << 24 | bytes[p + 1] << 16 |
                          bytes[p + 2] << 8 | bytes[p + 3];
    if (length > size - p - 8 || size - p - 8 - length < 4) return false;
    p += 12 + length;
  }
  return true;
}

}  // namespace

void CutFaceImages(const uint8_t* rgba, int height, std::vector<uint32_t>* images) {
  const int count = height / kFaceSize;
  images->assign(static_cast<size_t>(count) * kImageValues, 0);
  for (int k = 0; k < count; ++k) {
    uint32_t* block = images->data() + static_cast<size_t>(k) * kImageValues;
    for (int y = 0; y < kFaceSize; ++y) {
      const uint8_t* row = rgba + (static_cast<size_t>(k) * kFaceSize + y) * kFaceSize * 4;
      uint32_t* to = block + (kFaceSize - 1 - y) * kFaceSize;  // bottom row first
      for (int x = 0; x < kFaceSize; ++x, row += 4)
        to[x] = static_cast<uint32_t>(row[0]) << 16 | static_cast<uint32_t>(row[1]) << 8 | row[2];
    }
  }
}

StripError DecodePictureStrip(const uint8_t* bytes, size_t size, PictureStrip* out) {
  if (size == 0 || size > INT_MAX || !JpegTablesFit(bytes, size) || !PngChunksFit(bytes, size))
    return StripError::kNotAPicture;
  int w = 0, h = 0, channels = 0;
  const int n = static_cast<int>(size);
  if (!stbi_info_from_memory(bytes, n, &w, &h, &channels)) return StripError::kNotAPicture;
  if (w != kFaceSize || h <= 0 || h % kFaceSize != 0) {
    out->width = w;
    out->height = h;
    return StripError::kWrongSize;
  }
  if (h / kFaceSize > kMaxImages) return StripError::kTooManyFrames;

  int dw = 0, dh = 0;
  stbi_uc* rgba = stbi_load_from_memory(bytes, n, &dw, &dh, &channels, 4);
  if (!rgba) return StripError::kNotAPicture;
  const bool same = dw == w && dh == h;  // the header and the data must agree
  if (same) CutFaceImages(rgba, h, &out->images);
  stbi_image_free(rgba);
  if (!same) return StripError::kNotAPicture;
  out->width = w;
  out->height = h;
  return StripError::kNone;
}

const char* StripErrorText(StripError error) {
  switch (error) {
    case StripError::kNone: return "no error";
    case StripError::kNotAPicture: return "not a picture that can be read (BMP, JPEG, GIF or PNG)";
    case StripError::kWrongSize:
      return "the picture must be 80 pixels wide and a multiple of 80 pixels high";
    case StripError::kTooManyFrames: return "the picture holds more than 255 faces of 80 x 80";
  }
  return "unknown error";
}

}  // namespace tavimore
