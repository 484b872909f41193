#include "decode/readers.h"
#include "decode/system_decoder.h"

namespace tavimore {

bool DecodeWithSystem(PictureKind kind, const uint8_t* bytes, size_t size, int width, int height,
                      DecodedPixels* out) {
  switch (kind) {
    case PictureKind::kPng: return ReadPng(bytes, size, width, height, out);
    case PictureKind::kJpeg: return ReadJpeg(bytes, size, width, height, out);
    case PictureKind::kGif: return ReadGif(bytes, size, width, height, out);
    default: return false;
  }
}

}  // namespace tavimore
