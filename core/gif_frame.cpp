#include "core/gif_frame.h"

#include <cstring>

#include "core/byte_order.h"

namespace tavimore {
namespace {

// Data sub-blocks: a length byte, that many bytes, ..., a zero length. The offset past
// them, or 0 when the file ends first (also when `p` lies past its end).
size_t SkipSubBlocks(const uint8_t* b, size_t n, size_t p) {
  while (p < n) {
    const size_t length = b[p];
    if (length == 0) return p + 1;
    p += 1 + length;
  }
  return 0;
}

// Walks the file's records, extensions passed over, through at most `most` image records
// whose data is whole; returns how many, `frame` the last of them. It stops at the
// trailer, and where the file is cut or damaged: 0 for a file that is not a GIF.
int64_t WalkFrames(const uint8_t* b, size_t n, int64_t most, GifFrame* frame) {
  if (n < 13 || (std::memcmp(b, "GIF87a", 6) != 0 && std::memcmp(b, "GIF89a", 6) != 0)) return 0;
  size_t p = 13;  // signature, logical screen descriptor
  if (b[10] & 0x80) p += 3u << ((b[10] & 7) + 1);  // the global colour table
  int64_t count = 0;
  while (p && p < n && count < most) {
    if (b[p] == 0x21) {  // extension: label, sub-blocks (none past the end)
      p = SkipSubBlocks(b, n, p + 2);
      continue;
    }
    if (b[p] != 0x2C || n - p < 10) break;  // the trailer, or not a GIF record
    frame->left = Le16(b + p + 1);
    frame->top = Le16(b + p + 3);
    frame->width = Le16(b + p + 5);
    frame->height = Le16(b + p + 7);
    const uint8_t flags = b[p + 9];
    p += 10;
    if (flags & 0x80) p += 3u << ((flags & 7) + 1);  // the local colour table
    p += 1;                                           // the LZW code size
    p = SkipSubBlocks(b, n, p);
    if (p) {
      frame->end = p;
      ++count;
    }
  }
  return count;
}

}  // namespace

bool FindGifFirstFrame(const uint8_t* b, size_t n, GifFrame* frame) {
  return WalkFrames(b, n, 1, frame) == 1 && int64_t{frame->width} * frame->height <= kMaxGifFramePixels;
}

int64_t CountGifFrames(const uint8_t* b, size_t n) {
  GifFrame last;
  return WalkFrames(b, n, INT64_MAX, &last);
}

}  // namespace tavimore
