#include <gtest/gtest.h>

#include "core/clock_scale.h"
#include "core/outline.h"

namespace tavimore {
namespace {

struct Point {
  int x, y;
};

struct Expect {
  const ClockBuild* build;
  std::vector<Point> inside;
  std::vector<Point> outside;
};

// Test the outline of each build at the points that tell its shape apart.
TEST(Outline, KnownPointsOfEachBuild) {
  const Expect cases[] = {
      {&kVarnetBuild, {{40, 3}, {3, 40}, {1, 40}, {40, 1}}, {{2, 2}, {79, 79}, {0, 40}, {80, 40}}},
      {&kOssimarBuild, {{40, 40}, {40, 2}, {40, 78}, {2, 40}, {78, 40}}, {{5, 5}, {75, 75}, {75, 5}, {5, 75}}},
      {&kPirrowBuild, {{40, 40}, {40, 2}, {2, 40}}, {{5, 5}, {80, 40}, {40, 80}}},
      {&kQuelletBuild, {{15, 5}, {65, 5}, {40, 70}, {40, 79}}, {{40, 3}, {0, 0}, {81, 81}}},
      {&kDamsoleBuild, {{60, 20}, {20, 60}, {20, 20}, {70, 70}}, {{1, 79}, {79, 1}, {2, 2}}},
  };
  for (const Expect& c : cases) {
    uint8_t mask[kWindowSize * kWindowSize];
    BuildOutlineMask(*c.build, kBaseDpi, mask);
    for (Point p : c.inside) EXPECT_EQ(mask[p.y * kWindowSize + p.x], 1) << c.build->name << " " << p.x << "," << p.y;
    for (Point p : c.outside) EXPECT_EQ(mask[p.y * kWindowSize + p.x], 0) << c.build->name << " " << p.x << "," << p.y;
  }
}

struct Span {
  const ClockBuild* build;
  int row, first, last;  // window pixels first..last of the row, inclusive
};

// Test the rows where an ellipse piece begins and ends: one short span each, which the
// window system keeps in the region like any other (GetWindowRgn and PtInRegion say so
// under Wine 8 and Wine 10 alike, tests/wine/test_outline.sh). Wine 10's screen loses a span
// that lies within one byte of its one-bit window shape bitmap (Damsole's rows 1 and 38,
// Ossimar's rows 30 and 48 at 67..71); a mask that copied that screen fails here.
TEST(Outline, EllipseEndRowsAreShortSpans) {
  const Span spans[] = {
      {&kDamsoleBuild, 1, 16, 23},  {&kDamsoleBuild, 38, 16, 23}, {&kOssimarBuild, 30, 67, 71},
      {&kOssimarBuild, 48, 67, 71}, {&kOssimarBuild, 30, 7, 12},  {&kOssimarBuild, 48, 7, 12},
      {&kOssimarBuild, 1, 37, 41},  {&kOssimarBuild, 78, 37, 41}, {&kPirrowBuild, 1, 34, 45},
      {&kPirrowBuild, 78, 34, 45},  {&kQuelletBuild, 1, 12, 17},  {&kQuelletBuild, 1, 62, 67},
  };
  for (const Span& s : spans) {
    uint8_t mask[kWindowSize * kWindowSize];
    BuildOutlineMask(*s.build, kBaseDpi, mask);
    const uint8_t* row = mask + s.row * kWindowSize;
    for (int x = s.first; x <= s.last; ++x) EXPECT_EQ(row[x], 1) << s.build->name << " " << x << "," << s.row;
    EXPECT_EQ(row[s.first - 1], 0) << s.build->name << " " << s.first - 1 << "," << s.row;
    EXPECT_EQ(row[s.last + 1], 0) << s.build->name << " " << s.last + 1 << "," << s.row;
  }
}

TEST(Outline, PirrowNeverReachesColumnOrRow80) {
  uint8_t mask[kWindowSize * kWindowSize];
  BuildOutlineMask(kPirrowBuild, kBaseDpi, mask);
  for (int i = 0; i < kWindowSize; ++i) {
    EXPECT_EQ(mask[i * kWindowSize + 80], 0) << i;
    EXPECT_EQ(mask[80 * kWindowSize + i], 0) << i;
  }
}

// Test that an ellipse is symmetric in both axes within the pixels it covers (its right
// column and bottom row are left out, as the window system does).
TEST(Outline, EllipsesAreSymmetric) {
  for (int size : {5, 20, 39, 40, 79}) {
    const OutlinePiece piece{PieceKind::kEllipse, 1, 1, 1 + size, 1 + size, 0, 0};
    uint8_t mask[kWindowSize * kWindowSize];
    OutlineMask(&piece, 1, mask, kWindowSize, kWindowSize);
    const int last = size - 1;  // pixels 1 .. size - 1 of each axis
    int count = 0;
    for (int y = 1; y <= last; ++y)
      for (int x = 1; x <= last; ++x) {
        const uint8_t m = mask[y * kWindowSize + x];
        count += m;
        EXPECT_EQ(m, mask[y * kWindowSize + (last + 1 - x)]) << size << " " << x << "," << y;
        EXPECT_EQ(m, mask[(last + 1 - y) * kWindowSize + x]) << size << " " << x << "," << y;
      }
    EXPECT_EQ(mask[size * kWindowSize + size / 2], 0) << size;
    if (size >= 20) {
      EXPECT_GT(count, (size - 1) * (size - 1) * 3 / 4) << size;  // about pi/4 of it
    }
  }
}

TEST(Outline, PiecesAreClippedToTheMask) {
  const OutlinePiece piece{PieceKind::kRoundRect, -50, -50, 500, 500, 16, 16};
  uint8_t mask[kWindowSize * kWindowSize];
  OutlineMask(&piece, 1, mask, kWindowSize, kWindowSize);
  EXPECT_EQ(mask[0], 1);
  EXPECT_EQ(mask[kWindowSize * kWindowSize - 1], 1);
}

TEST(Outline, NearestHalfRoundsHalvesToEven) {
  EXPECT_EQ(NearestHalf(60), 30);  // 1.5 quarters of an 80-pixel face
  EXPECT_EQ(NearestHalf(100), 50);
  EXPECT_EQ(NearestHalf(5), 2);   // 2.5 -> 2
  EXPECT_EQ(NearestHalf(7), 4);   // 3.5 -> 4
  EXPECT_EQ(NearestHalf(63), 32);  // 31.5 -> 32
}

}  // namespace
}  // namespace tavimore
