// Whether a JPEG holds image data and all of it. A file cut short, or one whose headers
// are all there but whose scans are missing or empty, is not a picture: decoders fill
// what they never got with grey, or draw nothing at all, and some report no failure (the
// JPEG library only warns, and a browser shows what arrived). So every program refuses
// such a file, from its bytes, before it is decoded.
//
// A whole JPEG has at least one start-of-scan segment, each followed by some entropy-coded
// bytes, and its end-of-image marker after them. Segments are walked by their lengths;
// within a scan, a marker is 0xFF followed by anything but 0x00 (a stuffed byte) and the
// restart markers 0xD0..0xD7. Bytes after the end-of-image marker (padding, data some
// cameras append) are not looked at. Damage inside the coded data cannot be seen from
// here; the decoders judge that.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

// `bytes` begins with the start-of-image marker (core/picture_header.h found a JPEG).
bool JpegImageDataIsWhole(const uint8_t* bytes, size_t size);

}  // namespace tavimore
