#include <gtest/gtest.h>

#include <vector>

#include "core/clock_face.h"
#include "core/outline.h"

namespace tavimore {
namespace {

TEST(ClockScaleTest, SizesAndLimits) {
  EXPECT_EQ(ScaledWindowSize(96), 82);
  EXPECT_EQ(ScaledWindowSize(120), 103);  // 102.5, halves upwards
  EXPECT_EQ(ScaledWindowSize(144), 123);
  EXPECT_EQ(ScaledWindowSize(192), 164);
  EXPECT_EQ(ClampDpi(0), 96);
  EXPECT_EQ(ClampDpi(100000), kMaxDpi);
}

// Test that the outline at 200 % is the build's pieces with their coordinates doubled, not
// the 100 % mask enlarged: Varnet's round rectangle (1, 1)-(81, 81), corners 24.
TEST(ClockScaleTest, OutlineIsTheScaledPieces) {
  const int size = ScaledWindowSize(192);
  std::vector<uint8_t> mask(size * size), doubled(size * size);
  BuildOutlineMask(kVarnetBuild, 192, mask.data());
  const OutlinePiece piece{PieceKind::kRoundRect, 2, 2, 162, 162, 48, 48};
  OutlineMask(&piece, 1, doubled.data(), size, size);
  EXPECT_EQ(mask, doubled);
}

// A test picture whose every pixel differs from its neighbours.
std::vector<uint32_t> Pattern() {
  std::vector<uint32_t> image(kImageValues);
  for (int i = 0; i < kFacePixels; ++i) image[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  return image;
}

// Test that at whole scales the window is the 100 % window with each face pixel an s x s
// block, hands included, when the hands lie on the axes and end on whole pixels (lengths
// in steps of 5 % of the 80-pixel face): the pens and the lines scale exactly. Only the
// round ends differ, being rounder at the finer scale: fewer than s x s pixels at each of
// the six ends, where a hand a pixel out of place would differ along its whole length.
TEST(ClockScaleTest, WholeScalesEnlargeEveryPixelExactly) {
  const Hand hands[kHandCount] = {{0x0000FF, 50}, {0x00FF00, 75}, {0xFF0000, 100}};
  const std::vector<uint32_t> image = Pattern();
  for (const ClockBuild* build : {&kVarnetBuild, &kDamsoleBuild}) {
    std::vector<uint32_t> base(kWindowPixels);
    RenderClockWindow(*build, hands, image.data(), {3, 0, 15}, kBaseDpi, base.data());
    for (int s : {2, 3}) {
      const int size = ScaledWindowSize(s * kBaseDpi);
      std::vector<uint32_t> window(size * size);
      RenderClockWindow(*build, hands, image.data(), {3, 0, 15}, s * kBaseDpi, window.data());
      int differ = 0;
      for (int y = 0; y < kFaceSize * s; ++y)
        for (int x = 0; x < kFaceSize * s; ++x)
          differ += window[y * size + x] != base[y / s * kWindowSize + x / s];
      EXPECT_LT(differ, 6 * s * s) << build->name << " at scale " << s;
    }
  }
}

// Test the enlargement at 150 %: image pixels alternate between two colours along a row;
// the face shows the first, their mean, the second, and so on.
TEST(ClockScaleTest, AreaAveragingBetweenWholeScales) {
  std::vector<uint32_t> image(kImageValues);
  for (int i = 0; i < kFacePixels; ++i) image[i] = i % 2 ? 0x00FFFFFF : 0x00000000;
  const int size = ScaledFaceSize(144);
  std::vector<uint32_t> face(size * size);
  EnlargeFace(TopDownView(face.data(), size, size), image.data(), 144);
  EXPECT_EQ(size, 120);
  const uint32_t expected[6] = {0, 0x808080, 0xFFFFFF, 0, 0x808080, 0xFFFFFF};
  for (int y : {0, 119})
    for (int x = 0; x < 6; ++x) EXPECT_EQ(face[y * size + x], expected[x]) << x << "," << y;
}

}  // namespace
}  // namespace tavimore
