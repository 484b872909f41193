#include "core/gif_frame_count.h"

#include <cstring>

namespace tavimore {
namespace {

// Data sub-blocks: a length byte, that many bytes, ..., a zero length. The offset past
// them, or 0 when the file ends first. (core/gif_frame.cpp walks them the same way; it is
// not shared so that the editor, which has only that file, stays as it is compiled.)
size_t SkipSubBlocks(const uint8_t* b, size_t n, size_t p) {
  while (p < n) {
    if (b[p] == 0) return p + 1;
    p += 1 + size_t{b[p]};
  }
  return 0;
}

}  // namespace

int64_t CountGifFrames(const uint8_t* b, size_t n) {
  if (n < 13 || (std::memcmp(b, "GIF87a", 6) != 0 && std::memcmp(b, "GIF89a", 6) != 0)) return 0;
  size_t p = 13;  // signature, logical screen descriptor
  if (b[10] & 0x80) p += 3u << ((b[10] & 7) + 1);  // the global colour table
  int64_t count = 0;
  while (p != 0 && p < n) {
    if (b[p] == 0x21) {  // extension: label, sub-blocks
      p = p + 2 > n ? 0 : SkipSubBlocks(b, n, p + 2);
      continue;
    }
    if (b[p] != 0x2C || n - p < 10) break;  // the trailer, or not a GIF record
    const uint8_t flags = b[p + 9];
    p += 10;
    if (flags & 0x80) p += 3u << ((flags & 7) + 1);  // the local colour table
    p += 1;                                           // the LZW code size
    p = p > n ? 0 : SkipSubBlocks(b, n, p);
    if (p != 0) ++count;
  }
  return count;
}

}  // namespace tavimore
