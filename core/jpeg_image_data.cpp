#include "core/jpeg_image_data.h"

#include "core/byte_order.h"

namespace tavimore {
namespace {

bool IsRestart(uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

// From `p`, just after a scan's header, to the 0xFF that begins the marker ending the
// scan's coded data; `size` when the file ends first. `coded` tells whether any data
// byte came before it.
size_t EndOfCodedData(const uint8_t* b, size_t size, size_t p, bool* coded) {
  *coded = false;
  for (; p < size; ++p) {
    if (b[p] != 0xFF) {
      *coded = true;
      continue;
    }
    if (size - p < 2) return size;
    const uint8_t next = b[p + 1];
    if (next == 0x00) {
      *coded = true;
      ++p;
    } else if (IsRestart(next)) {
      ++p;
    } else {
      return p;
    }
  }
  return size;
}

}  // namespace

bool JpegImageDataIsWhole(const uint8_t* b, size_t size) {
  bool scanned = false;
  size_t p = 2;  // after the start-of-image marker
  while (p < size) {
    if (b[p] != 0xFF) return false;
    while (p < size && b[p] == 0xFF) ++p;  // fill bytes
    if (p >= size) return false;
    const uint8_t marker = b[p++];
    if (marker == 0xD9) return scanned;
    if (marker == 0x01 || marker == 0xD8 || IsRestart(marker)) continue;  // no length
    if (size - p < 2) return false;
    const size_t length = Be16(b + p);  // counts its own two bytes
    if (length < 2 || size - p < length) return false;
    p += length;
    if (marker != 0xDA) continue;
    bool coded;
    p = EndOfCodedData(b, size, p, &coded);
    if (!coded) return false;
    scanned = true;
  }
  return false;
}

}  // namespace tavimore
