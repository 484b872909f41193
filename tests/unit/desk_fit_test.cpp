// Tests of the rules a user's fit of a clock follows: its scale, its opacity, where it
// goes when it grows or moves by keys, and how it is stored.
#include "core/desk_fit.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

// A 1920 x 1080 primary with its taskbar at the bottom, and a monitor to its right.
const Monitor kTwo[] = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
    {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false},
};

TEST(DeskFit, SizeMultipliesTheMonitorsScaleWithinItsLimits) {
  EXPECT_EQ(FitDpi(96, DeskFit{3, 0, false, false}), 192);   // 200 % at 100 %: render --scale 2
  EXPECT_EQ(FitDpi(144, DeskFit{3, 0, false, false}), 288);  // 200 % at 150 %: --scale 3
  EXPECT_EQ(FitDpi(120, DeskFit{1, 0, false, false}), 150);
  EXPECT_EQ(FitDpi(0, DeskFit{2, 0, false, false}), 144);    // nonsense DPI counts as 96
  EXPECT_EQ(FitDpi(480, DeskFit{3, 0, false, false}), 480);  // never beyond 500 %
  EXPECT_EQ(WheelSizeStep(0, 120), 1);
  EXPECT_EQ(WheelSizeStep(3, 120), 3);
  EXPECT_EQ(WheelSizeStep(0, -120), 0);
  EXPECT_EQ(WheelSizeStep(2, -240), 1);
}

TEST(DeskFit, AlphaRoundsTheSeeThroughAndFadesToAQuarter) {
  EXPECT_EQ(FitAlpha(DeskFit{0, 0, false, false}, true), 255);  // not fading: the pointer changes nothing
  EXPECT_EQ(FitAlpha(DeskFit{0, 2, false, false}, false), 128);
  EXPECT_EQ(FitAlpha(DeskFit{0, 3, false, false}, false), 64);
  EXPECT_EQ(FitAlpha(DeskFit{0, 1, false, true}, true), 63);
  EXPECT_EQ(FitAlpha(DeskFit{0, 1, false, true}, false), 191);
}

TEST(DeskFit, GrowsAboutItsCentreAndStaysWhollyOnItsMonitor) {
  const ScreenPoint grown = GrowAboutCentre({500, 500}, 82, 164, kTwo, 2);
  EXPECT_EQ(grown.x, 459);
  EXPECT_EQ(grown.y, 459);
  const ScreenPoint back = GrowAboutCentre(grown, 164, 82, kTwo, 2);
  EXPECT_EQ(back.x, 500);
  EXPECT_EQ(back.y, 500);
  // Near the taskbar the grown clock goes up out of it, and at the seam between the
  // monitors it stays on the one under its centre.
  const ScreenPoint low = GrowAboutCentre({1830, 950}, 82, 164, kTwo, 2);
  EXPECT_EQ(low.x, 1920 - 164);
  EXPECT_EQ(low.y, 1040 - 164);
  const ScreenPoint keyed = KeepOnMonitor({1890, 10}, 82, kTwo, 2);
  EXPECT_EQ(keyed.x, 1920);  // its centre went over the seam: wholly onto the right one
  EXPECT_EQ(keyed.y, 10);
}

TEST(DeskFit, StoredFitReadsBackAndAnythingElseIsIgnored) {
  const DeskFit fit{3, 2, true, true};
  DeskFit back{};
  ASSERT_TRUE(UnpackDeskFit(PackDeskFit(fit), &back));
  EXPECT_EQ(back.size, 3);
  EXPECT_EQ(back.seeThrough, 2);
  EXPECT_TRUE(back.fixed);
  EXPECT_TRUE(back.fade);
  EXPECT_EQ(PackDeskFit(DeskFit{}), 0u);
  EXPECT_FALSE(UnpackDeskFit(4, &back));
  EXPECT_FALSE(UnpackDeskFit(2u << 16, &back));
  EXPECT_FALSE(UnpackDeskFit(0x80000000u, &back));
}

}  // namespace
}  // namespace tavimore
