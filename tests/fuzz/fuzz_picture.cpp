// libFuzzer target for picture loading: any bytes given to the editor or to `tavimore
// build` as a face picture strip. The decoder must refuse what it cannot read; what it
// accepts must be whole face images of the form the payload writer takes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "decode/picture_decode.h"
#include "core/payload_format.h"

namespace {

using namespace tavimore;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_picture: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PictureStrip strip;
  const StripError error = DecodePictureStrip(data, size, &strip);
  Require(StripErrorText(error) != nullptr, "an error without a text");
  if (error != StripError::kNone) return 0;

  Require(strip.width == kFaceSize, "a strip that is not 80 pixels wide");
  Require(strip.height > 0 && strip.height % kFaceSize == 0,
          "a strip whose height is not a multiple of 80");
  const int count = strip.height / kFaceSize;
  Require(count <= kMaxImages, "a strip of more than 255 faces");
  Require(strip.images.size() == static_cast<size_t>(count) * kImageValues,
          "the images are not one block per 80 x 80 square");
  for (int k = 0; k < count; ++k) {
    const uint32_t* block = strip.images.data() + static_cast<size_t>(k) * kImageValues;
    Require(block[kFacePixels] == 0, "a face image whose spare value is not 0");
    for (int i = 0; i < kFacePixels; ++i)
      Require((block[i] & 0xFF000000) == 0, "a pixel with bits above 0x00RRGGBB");
  }
  return 0;
}
