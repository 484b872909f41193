// libFuzzer target for picture loading: any bytes given to the editor or to `tavimore
// build` as a face picture strip, and to `tavimore build --fit` as any picture. The
// decoders must refuse what they cannot read; what they accept must be whole face images
// of the form the payload writer takes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "decode/fitted_faces.h"
#include "decode/picture_decode.h"
#include "core/payload_format.h"

namespace {

using namespace tavimore;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_picture: %s\n", what);
  std::abort();
}

void RequireFaces(const std::vector<uint32_t>& images, int count) {
  Require(count <= kMaxImages, "more than 255 faces");
  Require(images.size() == static_cast<size_t>(count) * kImageValues,
          "the images are not one block per face");
  for (int k = 0; k < count; ++k) {
    const uint32_t* block = images.data() + static_cast<size_t>(k) * kImageValues;
    Require(block[kFacePixels] == 0, "a face image whose spare value is not 0");
    for (int i = 0; i < kFacePixels; ++i)
      Require((block[i] & 0xFF000000) == 0, "a pixel with bits above 0x00RRGGBB");
  }
}

// Any picture fitted, as --fit takes it: pictures of at most a megapixel by their header,
// so that every run stays fast; larger ones take the same paths with more memory.
void FitAnyPicture(const uint8_t* data, size_t size) {
  PictureHeader header;
  PictureStrip sized;
  CheckStripHeader(data, size, &header, &sized);
  constexpr int64_t kMegapixel = int64_t{1} << 20;
  if (sized.width > kMegapixel || sized.height > kMegapixel || sized.width * sized.height > kMegapixel)
    return;
  std::vector<uint32_t> images;
  FitProblem problem;
  if (FitFaces({FitPicture{data, size, false, {}}}, &images, &problem) != FitError::kNone) {
    Require(images.empty(), "a refused picture that left faces");
    return;
  }
  Require(!images.empty() && images.size() % kImageValues == 0, "faces of no whole block");
  RequireFaces(images, static_cast<int>(images.size() / kImageValues));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FitAnyPicture(data, size);
  PictureStrip strip;
  const StripError error = DecodePictureStrip(data, size, &strip);
  Require(StripErrorText(error) != nullptr, "an error without a text");
  if (error != StripError::kNone) return 0;

  Require(strip.width == kFaceSize, "a strip that is not 80 pixels wide");
  Require(strip.height > 0 && strip.height % kFaceSize == 0,
          "a strip whose height is not a multiple of 80");
  RequireFaces(strip.images, static_cast<int>(strip.height / kFaceSize));
  return 0;
}
