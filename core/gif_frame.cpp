#include "core/gif_frame.h"

#include <cstring>

#include "core/byte_order.h"

namespace tavimore {
namespace {

// Data sub-blocks: a length byte, that many bytes, ..., a zero length. The offset past
// them, or 0 when the file ends first.
size_t SkipSubBlocks(const uint8_t* b, size_t n, size_t p) {
  while (p < n) {
    const size_t length = b[p];
    if (length == 0) return p + 1;
    p += 1 + length;
  }
  return 0;
}

}  // namespace

bool FindGifFirstFrame(const uint8_t* b, size_t n, GifFrame* frame) {
  if (n < 13 || (std::memcmp(b, "GIF87a", 6) != 0 && std::memcmp(b, "GIF89a", 6) != 0)) return false;
  size_t p = 13;  // signature, logical screen descriptor
  if (b[10] & 0x80) p += 3u << ((b[10] & 7) + 1);  // the global colour table
  while (p < n) {
    if (b[p] == 0x21) {  // extension: label, sub-blocks
      if (p + 2 > n) return false;
      p = SkipSubBlocks(b, n, p + 2);
      if (!p) return false;
      continue;
    }
    if (b[p] != 0x2C || n - p < 10) return false;  // the trailer, or not a GIF record
    frame->left = Le16(b + p + 1);
    frame->top = Le16(b + p + 3);
    frame->width = Le16(b + p + 5);
    frame->height = Le16(b + p + 7);
    if (int64_t{frame->width} * frame->height > kMaxGifFramePixels) return false;
    const uint8_t flags = b[p + 9];
    p += 10;
    if (flags & 0x80) p += 3u << ((flags & 7) + 1);  // the local colour table
    p += 1;                                           // the LZW code size
    if (p > n) return false;
    p = SkipSubBlocks(b, n, p);
    if (!p) return false;
    frame->end = p;
    return true;
  }
  return false;
}

}  // namespace tavimore
