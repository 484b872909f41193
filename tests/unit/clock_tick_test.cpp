// Tests of the second-by-second rule every front end follows.
#include "core/clock_tick.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

LocalTime At(int hour, int minute, int second, int millisecond = 0) {
  return LocalTime{2026, 12, 8, hour, minute, second, millisecond};
}

// Test that face images come one per new second, 0, 1, 2, 0, from the first tick on; that
// a tick in the same second draws nothing and moves nothing on; and that a clock set back
// is redrawn, since nothing requires time to move forward; the date counts too. LastTick
// gives the last redraw again, and nothing before the first.
TEST(TickAtTest, FaceImagesInTurnOncePerNewSecond) {
  Ticker ticker{};
  EXPECT_FALSE(LastTick(ticker, 3).redraw);
  const LocalTime seconds[] = {At(23, 59, 58), At(23, 59, 59), {2026, 12, 9, 0, 0, 0, 0},
                               {2026, 12, 9, 0, 0, 1, 0}};
  const int faces[] = {0, 1, 2, 0};
  for (int i = 0; i < 4; ++i) {
    const TickFace tick = TickAt(&ticker, 3, seconds[i]);
    EXPECT_TRUE(tick.redraw) << i;
    EXPECT_EQ(tick.faceImage, faces[i]) << i;
    const TickFace again = LastTick(ticker, 3);
    EXPECT_TRUE(again.redraw && again.faceImage == faces[i] && again.time.second == tick.time.second) << i;
    LocalTime later = seconds[i];
    later.millisecond = 900;
    EXPECT_FALSE(TickAt(&ticker, 3, later).redraw) << "a second tick in second " << i;
  }
  const TickFace back = TickAt(&ticker, 3, At(12, 0, 0));
  EXPECT_TRUE(back.redraw);
  EXPECT_EQ(back.faceImage, 1);
  EXPECT_EQ(back.time.hour, 12);
  EXPECT_TRUE(TickAt(&ticker, 3, {2026, 12, 9, 12, 0, 0, 0}).redraw) << "the same time a day on";
}

// Test that a clock without face images shows its build's own face at every redraw.
TEST(TickAtTest, WithoutFaceImagesTheBuildsOwnFace) {
  Ticker ticker{};
  for (int s = 0; s < 3; ++s) {
    const TickFace tick = TickAt(&ticker, -1, At(10, 10, s));
    EXPECT_TRUE(tick.redraw);
    EXPECT_EQ(tick.faceImage, -1);
    EXPECT_EQ(tick.time.second, s);
  }
  EXPECT_EQ(ticker.bgIndex, 0);
}

// Test that wherever in a second a tick runs, the next wake lands after the next second
// begins and within the tenth of a second in which it must show.
TEST(TickTest, TheNextWake) {
  for (int ms = 0; ms < 1000; ++ms) {
    EXPECT_GT(ms + WakeDelay(ms), 1000) << ms;
    EXPECT_LT(ms + WakeDelay(ms), 1100) << ms;
  }
}

}  // namespace
}  // namespace tavimore
