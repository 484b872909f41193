#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/clock_face.h"
#include "core/color_value.h"
#include "core/outline.h"

namespace tavimore {
namespace {

constexpr uint32_t kBlank = 0x00123456;
constexpr uint32_t kInk = 0x00FF0000;

struct Face {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(kFacePixels, kBlank);
  PixelView View() { return TopDownView(pixels.data(), kFaceSize, kFaceSize); }
  uint32_t At(int x, int y) const { return pixels[y * kFaceSize + x]; }
  int Count(uint32_t p) const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), p)); }
};

// Test the line primitive: end points go to the nearest pixel, both ends are drawn, and
// the pens have the widths the hands are known by.
TEST(DrawLineTest, EndsAndPenWidths) {
  Face f;
  DrawLine(f.View(), 10.4f, 20.6f, 10.4f, 30.49f, kInk, 1);
  EXPECT_EQ(f.At(10, 21), kInk);
  EXPECT_EQ(f.At(10, 30), kInk);
  EXPECT_EQ(f.At(10, 20), kBlank);
  EXPECT_EQ(f.At(10, 31), kBlank);
  EXPECT_EQ(f.Count(kInk), 10);

  Face two;
  DrawLine(two.View(), 5, 5, 15, 5, kInk, 2);
  EXPECT_EQ(two.Count(kInk), 2 * 12);  // 11 pixels long, one more to the right, two rows
  Face three;
  DrawLine(three.View(), 5, 5, 15, 5, kInk, 3);
  EXPECT_EQ(three.Count(kInk), 3 * 11 + 2);  // three rows and a round cap at each end
  EXPECT_EQ(three.At(4, 5), kInk);
  EXPECT_EQ(three.At(4, 4), kBlank);
}

TEST(DrawLineTest, ClipsAtTheEdgesWithoutWrapping) {
  Face f;
  DrawLine(f.View(), 40, 40, 40 + 200, 40 - 150, kInk, 3);
  DrawLine(f.View(), -5, 79, 90, 79, kInk, 3);
  EXPECT_EQ(f.At(40, 40), kInk);
  EXPECT_EQ(f.At(0, 79), kInk);
  for (int y = 0; y < kFaceSize; ++y) EXPECT_EQ(f.At(0, y) == kInk, y >= 78) << y;
}

// Test that face images are laid out bottom row first: value 6320 is the top-left pixel.
TEST(EnlargeFaceTest, BottomRowFirst) {
  std::vector<uint32_t> image(kImageValues, 0);
  image[6320] = 0x00FF0000;
  image[0] = 0x000000FF;
  image[79] = 0xAA00FF00;  // the top byte is not a colour
  Face f;
  EnlargeFace(f.View(), image.data(), kBaseDpi);
  EXPECT_EQ(f.At(0, 0), 0x00FF0000u);
  EXPECT_EQ(f.At(0, 79), 0x000000FFu);
  EXPECT_EQ(f.At(79, 79), 0x0000FF00u);

  // The same into a bottom-up view (the clock's own bitmap) is a straight copy.
  std::vector<uint32_t> dib(kFacePixels, 0);
  EnlargeFace(BottomUpView(dib.data(), kFaceSize, kFaceSize), image.data(), kBaseDpi);
  EXPECT_EQ(dib[6320], 0x00FF0000u);
  EXPECT_EQ(dib[0], 0x000000FFu);
}

TEST(DrawHandsTest, HandsLieInOrder) {
  Face f;
  const Hand hands[3] = {{0x0000FF, 50}, {0x00FF00, 50}, {0xFF0000, 50}};
  DrawHands(f.View(), kPirrowBuild, hands, {3, 15, 15}, kBaseDpi);
  // At 3:15:15 all three point right and overlap: the second hand (row 40) is drawn
  // last and lies on top, the 2-pixel minute hand (rows 39 and 40) over the 3-pixel hour
  // hand, whose upper edge still shows in row 38.
  EXPECT_EQ(f.At(45, 40), PixelFromColor(0xFF0000));
  EXPECT_EQ(f.At(45, 39), PixelFromColor(0x00FF00));
  EXPECT_EQ(f.At(41, 38), PixelFromColor(0x0000FF));
}

TEST(RenderClockWindowTest, OutlineBackgroundAndFace) {
  std::vector<uint32_t> image(kImageValues, 0x00010203);
  uint32_t window[kWindowPixels];
  uint8_t rgba[kWindowPixels * 4];
  RenderClockWindow(kVarnetBuild, kVarnetBuild.defaults, image.data(), {9, 0, 0}, kBaseDpi, window);
  WindowRgba(kVarnetBuild, kBaseDpi, window, rgba);
  const auto px = [&](int x, int y) { return rgba + 4 * (y * kWindowSize + x); };
  EXPECT_EQ(px(0, 0)[3], 0);                       // outside the outline
  EXPECT_EQ(px(40, 3)[3], 255);
  EXPECT_EQ(px(70, 60)[0], 1);                     // the face image, red first
  EXPECT_EQ(px(70, 60)[2], 3);
  EXPECT_EQ(px(80, 40)[0], 0xF0);                  // the window beside the face

  RenderClockWindow(kDamsoleBuild, kDamsoleBuild.defaults, nullptr, {9, 0, 0}, kBaseDpi, window);
  EXPECT_EQ(window[70 * kWindowSize + 70], kPlainFacePixel);

  uint32_t noon[kWindowPixels];
  RenderClockWindow(kPirrowBuild, kPirrowBuild.defaults, nullptr, {12, 0, 0}, kBaseDpi, noon);
  RenderClockWindow(kPirrowBuild, kPirrowBuild.defaults, nullptr, {0, 0, 0}, kBaseDpi, window);
  EXPECT_EQ(std::memcmp(noon, window, sizeof noon), 0);
}

}  // namespace
}  // namespace tavimore
