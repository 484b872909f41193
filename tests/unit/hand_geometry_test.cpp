#include <gtest/gtest.h>

#include <cmath>

#include "core/hand_geometry.h"

namespace tavimore {
namespace {

struct End {
  float x, y;
};

End EndOf(const HandLine& l) { return {l.x + l.dx, l.y + l.dy}; }

void Compute(const ClockBuild& build, ClockTime t, HandLine lines[3]) {
  ComputeHands(build, kFaceSize, kFaceSize, build.defaults, t, lines);
}

// Test the worked positions: they expose a wrong direction (3:00), a flipped y axis (6:30,
// 10:10:30), an hour hand that ignores the minutes (3:30) and a wrong centre per build.
TEST(HandGeometry, EndPointsOfKnownTimes) {
  struct Case {
    const ClockBuild* build;
    ClockTime time;
    End start[3];
    End end[3];
  };
  const Case cases[] = {
      {&kVarnetBuild, {3, 0, 0}, {{39, 39}, {39, 39}, {40, 40}}, {{50.2f, 39}, {39, 21}, {40, 18}}},
      {&kVarnetBuild, {10, 10, 30}, {{39, 39}, {39, 39}, {40, 40}}, {{29.83f, 32.58f}, {54.59f, 30}, {40, 62}}},
      {&kVarnetBuild, {12, 0, 0}, {{39, 39}, {39, 39}, {40, 40}}, {{39, 27.8f}, {39, 21}, {40, 18}}},
      {&kVarnetBuild, {15, 30, 45}, {{39, 39}, {39, 39}, {40, 40}}, {{49.82f, 41.9f}, {39, 57}, {18, 40}}},
      {&kQuelletBuild, {3, 0, 0}, {{39, 59}, {39, 59}, {40, 60}}, {{47, 59}, {39, 47}, {40, 44}}},
      {&kDamsoleBuild, {3, 0, 0}, {{19, 19}, {19, 19}, {20, 20}}, {{27, 19}, {19, 7}, {20, 4}}},
  };
  for (const Case& c : cases) {
    HandLine lines[3];
    Compute(*c.build, c.time, lines);
    for (int h = 0; h < 3; ++h) {
      SCOPED_TRACE(std::string(c.build->name) + " " + std::to_string(c.time.hour) + ":" +
                   std::to_string(c.time.minute) + " hand " + std::to_string(h));
      EXPECT_EQ(lines[h].x, c.start[h].x);
      EXPECT_EQ(lines[h].y, c.start[h].y);
      EXPECT_NEAR(EndOf(lines[h]).x, c.end[h].x, 0.005);
      EXPECT_NEAR(EndOf(lines[h]).y, c.end[h].y, 0.005);
      EXPECT_EQ(lines[h].penWidth, 3 - h);
      EXPECT_EQ(lines[h].color, c.build->defaults[h].color);
    }
  }
}

// Test that the single-precision steps are kept: straight up is a quarter turn of the
// single-precision 3.141592, whose cosine is a tiny positive number, not 0.
TEST(HandGeometry, StraightUpHasTheTinyOffsetOfSinglePrecision) {
  HandLine lines[3];
  Compute(kVarnetBuild, {0, 0, 0}, lines);
  for (const HandLine& l : lines) {
    EXPECT_NE(l.dx, 0.0f);
    EXPECT_LT(std::fabs(l.dx), 1e-4f);
  }
  const float quarter = static_cast<float>(90.0 * static_cast<double>(3.141592f) / 180.0);
  const float expected = static_cast<float>(80 * 55 / 100.0 / 2 * std::cos(double{quarter}));
  EXPECT_EQ(lines[kSecond].dx, expected);
}

// Test that afternoon hours are drawn as the morning ones, and that noon and midnight
// differ only by the rounding of a quarter turn (their pictures are compared elsewhere).
TEST(HandGeometry, AfternoonsAndMidnight) {
  HandLine a[3], b[3], c[3], d[3];
  Compute(kPirrowBuild, {15, 30, 45}, a);
  Compute(kPirrowBuild, {3, 30, 45}, b);
  Compute(kPirrowBuild, {12, 0, 0}, c);
  Compute(kPirrowBuild, {0, 0, 0}, d);
  for (int h = 0; h < 3; ++h) {
    EXPECT_EQ(a[h].dx, b[h].dx);
    EXPECT_EQ(a[h].dy, b[h].dy);
    EXPECT_NEAR(c[h].dx, d[h].dx, 1e-4);
    EXPECT_EQ(c[h].dy, d[h].dy);
  }
}

TEST(HandGeometry, SecondsNeverMoveTheOtherHands) {
  HandLine a[3], b[3];
  Compute(kVarnetBuild, {7, 41, 0}, a);
  Compute(kVarnetBuild, {7, 41, 59}, b);
  EXPECT_EQ(a[kHour].dx, b[kHour].dx);
  EXPECT_EQ(a[kMinute].dy, b[kMinute].dy);
  EXPECT_NE(a[kSecond].dx, b[kSecond].dx);
}

TEST(TimeText, ReadsOnlyTheClockFormat) {
  ClockTime t;
  ASSERT_TRUE(ParseTimeText("2002/04/14 15:38:52", &t));
  EXPECT_EQ(t.hour, 15);
  EXPECT_EQ(t.minute, 38);
  EXPECT_EQ(t.second, 52);
  for (const char* bad : {"", "2002/04/14 15:38", "2002/04/14 15:38:52 ", "2002-04-14 15:38:52",
                          "2002/04/14 24:00:00", "2002/04/14 12:60:00", "2002/04/14 1a:00:00"})
    EXPECT_FALSE(ParseTimeText(bad, &t)) << bad;
}

}  // namespace
}  // namespace tavimore
