// Tests of a picture fitted to a face: the centred square, the area mean, and the strip's
// own rule for an 80 x 80 square.
#include "core/face_fit.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/picture_strip.h"

namespace tavimore {
namespace {

DecodedPixels Picture(int width, int height, uint8_t (*tone)(int x, int y), uint8_t alpha = 255) {
  DecodedPixels p{width, height, ChannelOrder::kRgba, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.bytes.insert(p.bytes.end(), {tone(x, y), 0, 0, alpha});
  return p;
}

TEST(FaceFit, CentredSquareOfAnyPicture) {
  const FaceSquare wide = CentredSquare(400, 300);
  EXPECT_EQ(wide.left, 50);
  EXPECT_EQ(wide.top, 0);
  EXPECT_EQ(wide.size, 300);
  EXPECT_EQ(CentredSquare(3, 8).top, 2);
  EXPECT_FALSE(SquareInside({101, 0, 300}, 400, 300));
  EXPECT_FALSE(SquareInside({0, 0, 0}, 400, 300));
}

TEST(FaceFit, OnePixelStripesBecomeTheirMeanTone) {
  // 160 x 120: the centred 120 square, 1.5 picture pixels to a face pixel. Stripes of 0 and
  // 255 alternate, and each face pixel covers them in equal parts only where it starts on
  // a stripe's edge; the mean over the face is the stripes' mean.
  const DecodedPixels p = Picture(160, 120, [](int x, int) -> uint8_t { return x % 2 ? 255 : 0; });
  std::vector<uint32_t> face(kImageValues, 1);
  ASSERT_TRUE(FitFace(p, CentredSquare(160, 120), face.data()));
  long sum = 0;
  for (int i = 0; i < kFacePixels; ++i) sum += face[i] >> 16;
  EXPECT_NEAR(sum / double(kFacePixels), 127.5, 0.5);
  // 160 x 160 into 80: each face pixel is exactly one 0 and one 255 in each row.
  const DecodedPixels even = Picture(160, 160, [](int x, int) -> uint8_t { return x % 2 ? 255 : 0; });
  ASSERT_TRUE(FitFace(even, CentredSquare(160, 160), face.data()));
  EXPECT_EQ(face[0] >> 16, 128u);  // 127.5, halves upwards
  EXPECT_EQ(face[kFacePixels], 0u);
  EXPECT_FALSE(FitFace(p, {100, 0, 120}, face.data()));
}

TEST(FaceFit, AnEightySquareIsWhatTheStripGives) {
  const DecodedPixels p = Picture(80, 80, [](int x, int y) -> uint8_t { return uint8_t(x * 3 + y); }, 100);
  PictureStrip strip;
  ASSERT_EQ(CutStrip(p, &strip), StripError::kNone);
  std::vector<uint32_t> face(kImageValues);
  ASSERT_TRUE(FitFace(p, CentredSquare(80, 80), face.data()));
  EXPECT_EQ(face, strip.images);
}

}  // namespace
}  // namespace tavimore
