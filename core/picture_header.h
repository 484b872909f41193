// The kind and size of a picture file, read from its header alone, before any decoding:
// the size decides whether the picture can be a face strip at all, so a picture that
// cannot be one is refused without its data ever being inflated.
//
// Sizes are what a viewer shows: a bottom-up or top-down BMP both report a positive
// height; a GIF reports its logical screen; a JPEG the size in its frame header (the
// first SOFn marker, found by walking the segments by their lengths, so bytes inside
// metadata segments are never taken for markers). A file that is none of the four kinds,
// or whose header is cut short, has kind kUnknown.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

enum class PictureKind { kUnknown, kBmp, kJpeg, kGif, kPng };

struct PictureHeader {
  PictureKind kind = PictureKind::kUnknown;
  int64_t width = 0;
  int64_t height = 0;
};

PictureHeader ReadPictureHeader(const uint8_t* bytes, size_t size);

}  // namespace tavimore
