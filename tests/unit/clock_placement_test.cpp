// Tests of where a clock starts, over monitor layouts.
#include "core/clock_placement.h"
#include "core/full_screen_rule.h"
#include "core/place_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tavimore {
namespace {

constexpr int kSize = 82;
// A 1920 x 1080 primary with its taskbar at the bottom, and a 1280 x 1024 monitor left of
// it whose top lies 200 pixels lower.
const Monitor kTwo[] = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
    {{-1280, 200, 0, 1224}, {-1280, 200, 0, 1224}, false},
};

void ExpectAt(ScreenPoint p, int x, int y, const char* what) {
  EXPECT_EQ(p.x, x) << what;
  EXPECT_EQ(p.y, y) << what;
}

// Test that a remembered place whose centre is on a monitor stays, also on a monitor
// left of the primary or half off an edge, and that one whose monitor is gone or whose
// centre lies beyond the screens comes back the shortest way, wholly inside the nearest
// monitor's work area (not under the taskbar).
TEST(PlaceOnMonitorsTest, StaysOnAScreen) {
  ExpectAt(PlaceOnMonitors({300, 400}, kSize, kTwo, 2), 300, 400, "on the primary");
  ExpectAt(PlaceOnMonitors({-500, 900}, kSize, kTwo, 2), -500, 900, "on the left monitor");
  ExpectAt(PlaceOnMonitors({1900 - kSize / 2, 10}, kSize, kTwo, 2), 1900 - kSize / 2, 10,
           "half off the right edge, its centre on the screen");
  ExpectAt(PlaceOnMonitors({2500, 500}, kSize, kTwo, 2), 1920 - kSize, 500, "right of all");
  ExpectAt(PlaceOnMonitors({500, 1070}, kSize, kTwo, 2), 500, 1040 - kSize,
           "its centre below the screen: above the taskbar");
  ExpectAt(PlaceOnMonitors({-600, 50}, kSize, kTwo, 2), -600, 200, "above the left monitor");
  // The left monitor unplugged: a clock left there comes to the primary's left edge.
  ExpectAt(PlaceOnMonitors({-500, 900}, kSize, kTwo, 1), 0, 900, "its monitor gone");
  // A lower resolution on the same monitor.
  const Monitor small[] = {{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true}};
  ExpectAt(PlaceOnMonitors({1700, 1000}, kSize, small, 1), 1024 - kSize, 728 - kSize,
           "a smaller screen");
  ExpectAt(PlaceOnMonitors({-7, 9}, kSize, nullptr, 0), -7, 9, "no monitors known");
}

// Test that new clocks start at (100, 100) of the primary monitor's work area, and each
// one started while others run opens beside them, never over one.
TEST(FirstPlaceTest, NewClocksSideBySide) {
  const Monitor leftBar[] = {{{0, 0, 1920, 1080}, {60, 0, 1920, 1080}, true}};
  ExpectAt(FirstPlace(kSize, leftBar, 1, nullptr, 0), 160, 100, "beside a taskbar on the left");
  ExpectAt(FirstPlace(kSize, kTwo + 1, 1, nullptr, 0), -1180, 300, "no primary: the first");

  ScreenRect running[3];
  for (int i = 0; i < 3; ++i) {
    const ScreenPoint p = FirstPlace(kSize, kTwo, 2, running, i);
    running[i] = {p.x, p.y, p.x + kSize, p.y + kSize};
  }
  ExpectAt({running[1].left, running[1].top}, 100 + kSize, 100, "the second beside the first");
  ExpectAt({running[2].left, running[2].top}, 100 + 2 * kSize, 100, "the third beside it");
  // A clock dragged elsewhere frees its place; one half over it still blocks.
  const ScreenRect moved[] = {{600, 600, 600 + kSize, 600 + kSize}, {140, 140, 140 + kSize, 140 + kSize}};
  ExpectAt(FirstPlace(kSize, kTwo, 2, moved, 1), 100, 100, "the place is free again");
  ExpectAt(FirstPlace(kSize, kTwo, 2, moved + 1, 1), 140 + kSize, 100, "past one half over it");
}

// Test with Windows' geometry on a monitor that is all work area: maximized, a window's client
// area lies below its caption, or over it when the program draws its own; not full screen.
TEST(CoversMonitorTest, OnlyTheWholeMonitorAndNoMaximizedWindowAtWork) {
  const ScreenRect monitor = kTwo[0].area;
  EXPECT_TRUE(CoversMonitor(monitor, false, monitor)) << "borderless full screen";
  EXPECT_FALSE(CoversMonitor({0, 23, 1920, 1080}, true, monitor)) << "maximized, below its caption";
  EXPECT_FALSE(CoversMonitor(monitor, true, monitor)) << "maximized, its own caption drawn";
  EXPECT_FALSE(CoversMonitor({0, 0, 1919, 1080}, false, monitor));
  EXPECT_FALSE(CoversMonitor(kTwo[1].area, false, monitor)) << "another monitor";
}

TEST(PlaceTextTest, ReadsBackWhatItWritesAndRefusesTheRest) {
  char text[kPlaceTextRoom];
  const DeskFit fit{3, 2, true, false};
  for (ScreenPoint p : {ScreenPoint{0, 0}, ScreenPoint{-1280, 977}, ScreenPoint{1000000, -1000000}}) {
    const int n = FormatPlace(p, fit, text);
    ScreenPoint back{};
    DeskFit fitBack{};
    ASSERT_TRUE(ParsePlace(text, n, &back, &fitBack)) << text;
    EXPECT_EQ(back.x, p.x);
    EXPECT_EQ(back.y, p.y);
    EXPECT_EQ(PackDeskFit(fitBack), PackDeskFit(fit)) << text;
  }
  EXPECT_EQ(FormatPlace({-2147483647 - 1, -2147483647 - 1}, {3, 3, true, true}, text) + 1,
            kPlaceTextRoom);
  for (const char* bad : {"", "12", "12 x", "1 2 x", "- 5", "1000001 0", "0 99999999999999999999",
                          "1,2", "1 2junk", "1 2 3junk"}) {
    ScreenPoint p{7, 7};
    DeskFit f{};
    EXPECT_FALSE(ParsePlace(bad, std::strlen(bad), &p, &f)) << bad;
    EXPECT_EQ(p.x, 7) << bad;
  }
  // The form kept before the fit, and a fit no clock writes: the place, at the new fit.
  for (const char* placeOnly : {" 5 -6\n", "5 -6 4\n", "5 -6 99999999999999999999"}) {
    ScreenPoint p{};
    DeskFit f{1, 1, true, true};
    EXPECT_TRUE(ParsePlace(placeOnly, std::strlen(placeOnly), &p, &f)) << placeOnly;
    EXPECT_EQ(p.y, -6) << placeOnly;
    EXPECT_EQ(PackDeskFit(f), 0u) << placeOnly;
  }
  EXPECT_TRUE(PlausiblePlace({-1000000, 1000000}));
  EXPECT_FALSE(PlausiblePlace({0, -1000001}));
  EXPECT_FALSE(PlausiblePlace({-2147483647 - 1, 0}));
}

}  // namespace
}  // namespace tavimore
