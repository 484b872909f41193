#include <gtest/gtest.h>

#include <vector>

#include "core/build_list.h"
#include "core/clock_face.h"
#include "decode/picture_decode.h"
#include "linux/native_clock.h"
#include "payload_fixtures.h"

namespace tavimore {
namespace {

std::vector<uint32_t> Rendered(const ClockBuild& build, const Hand hands[kHandCount],
                               const uint32_t* face, ClockTime time) {
  std::vector<uint32_t> window(kWindowPixels);
  RenderClockWindow(build, hands, face, time, window.data());
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

}  // namespace
}  // namespace tavimore
