#include <gtest/gtest.h>

#include <vector>

#include "core/build_list.h"
#include "core/clock_face.h"
#include "core/clock_scale.h"
#include "core/outline.h"
#include "decode/picture_decode.h"
#include "linux/native_clock.h"
#include "payload_fixtures.h"

namespace tavimore {
namespace {

std::vector<uint32_t> Rendered(const ClockBuild& build, const Hand hands[kHandCount],
                               const uint32_t* face, ClockTime time) {
  std::vector<uint32_t> window(kWindowPixels);
  RenderClockWindow(build, hands, face, time, kBaseDpi, window.data());
  return window;
}

// Test that the native clock shows what `tavimore render` draws: each program as
// delivered its own picture through the same decoder (or the plain colour) and its
// default hands; a built clock its own hands over its face images, one per second.
TEST(NativeClockTest, ShowsWhatRenderDraws) {
  std::vector<uint32_t> shown(kWindowPixels);
  for (const ClockBuild* build : kAllBuilds) {
    NativeClock clock;
    ASSERT_EQ(LoadNativeClock(test::ProgramBytes(build->name), &clock), ClockOpen::kReady);
    std::vector<uint32_t> face;
    ASSERT_EQ(DecodeBuiltInFace(*build, &face), StripError::kNone);
    EXPECT_EQ(face.empty(), build->picture == nullptr) << build->name;
    ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 10, 10, 30, 0}, shown.data()));
    EXPECT_EQ(shown, Rendered(*build, build->defaults, face.empty() ? nullptr : face.data(),
                              {10, 10, 30})) << build->name;
  }

  const PayloadContent content = test::Content("a", "b", "c", 2);
  NativeClock clock;
  ASSERT_EQ(LoadNativeClock(test::BuiltClock("Quellet", content), &clock), ClockOpen::kReady);
  ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 45, 0}, shown.data()));
  EXPECT_EQ(shown, Rendered(kQuelletBuild, content.hands, content.images.data(), {15, 30, 45}));
  ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 46, 0}, shown.data()));
  EXPECT_EQ(shown, Rendered(kQuelletBuild, content.hands, content.images.data() + kImageValues,
                            {15, 30, 46}));
  EXPECT_FALSE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 46, 500}, shown.data()));
}

// Test that the native clock draws at the screen's scale what `tavimore render --scale`
// draws, and that a new scale within a second draws that second and face again, larger,
// while the face images still come one per second.
TEST(NativeClockTest, DrawsAtTheScreensScale) {
  EXPECT_EQ(NativeClockDpi(1), kBaseDpi);
  EXPECT_EQ(NativeClockDpi(2), 192);
  EXPECT_EQ(NativeClockDpi(0), kBaseDpi);
  EXPECT_EQ(NativeClockDpi(1 << 30), kMaxDpi);
  auto rendered = [](const Hand hands[kHandCount], const uint32_t* face, ClockTime time) {
    std::vector<uint32_t> window(164 * 164);
    RenderClockWindow(kQuelletBuild, hands, face, time, 192, window.data());
    return window;
  };
  const PayloadContent content = test::Content("a", "b", "c", 2);
  NativeClock clock;
  ASSERT_EQ(LoadNativeClock(test::BuiltClock("Quellet", content), &clock), ClockOpen::kReady);
  std::vector<uint32_t> shown(kWindowPixels);
  ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 45, 0}, shown.data()));
  shown.assign(static_cast<size_t>(164) * 164, 0);
  ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 45, 500}, shown.data(), 192));
  EXPECT_EQ(shown, rendered(content.hands, content.images.data(), {15, 30, 45}));
  EXPECT_FALSE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 45, 700}, shown.data(), 192));
  ASSERT_TRUE(TickNativeClock(&clock, {2026, 12, 8, 15, 30, 46, 0}, shown.data(), 192));
  EXPECT_EQ(shown, rendered(content.hands, content.images.data() + kImageValues, {15, 30, 46}));
}

// Test that the window's logical outline keeps a logical pixel exactly when the outline
// drawn at the scale keeps one of the device pixels it covers: none of the drawn outline is
// cut away, and no pixel without any of it is kept. At 144 DPI a logical pixel covers one
// or two device pixels each way, at 192 DPI two.
TEST(NativeClockTest, LogicalOutlineKeepsEveryDrawnPixel) {
  for (const ClockBuild* build : kAllBuilds) {
    for (const int dpi : {kBaseDpi, 144, 192}) {
      const int size = ScaledWindowSize(dpi);
      std::vector<uint8_t> drawn(static_cast<size_t>(size) * size);
      BuildOutlineMask(*build, dpi, drawn.data());
      std::vector<int> logical(size);  // the logical row or column a device one lies in
      for (int x = 0; x < kWindowSize; ++x)
        for (int s = Scaled(x, dpi); s < Scaled(x + 1, dpi); ++s) logical[s] = x;
      std::vector<int> drawnIn(kWindowPixels, 0);  // drawn device pixels per logical one
      for (int sy = 0; sy < size; ++sy)
        for (int sx = 0; sx < size; ++sx)
          drawnIn[logical[sy] * kWindowSize + logical[sx]] += drawn[sy * size + sx] != 0;
      uint8_t mask[kWindowPixels];
      LogicalOutlineMask(*build, dpi, mask);
      for (int i = 0; i < kWindowPixels; ++i)
        ASSERT_EQ(mask[i] != 0, drawnIn[i] > 0) << build->name << " at " << dpi << " DPI, ("
                                                << i % kWindowSize << ", " << i / kWindowSize << ")";
    }
  }
}

}  // namespace
}  // namespace tavimore
