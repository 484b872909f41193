// Tests of the clock's texts that every front end shows.
#include "core/clock_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tavimore {
namespace {

// Test that the tooltip is the author, the date zero-padded and the weekday's name as
// given; the year is LocalTime's, Gregorian, where an era calendar would show 2026 as 08.
TEST(ClockTextsTest, TooltipIsTheAuthorAndTheDate) {
  char text[64];
  std::snprintf(text, sizeof text, TAVIMORE_TOOLTIP_FORMAT, "Brenwick", 2002, 4, 14, "Sun");
  EXPECT_EQ(std::string(text), "Brenwick 2002/04/14(Sun)");
  std::snprintf(text, sizeof text, TAVIMORE_TOOLTIP_FORMAT, "月の時計", 2026, 12, 9, "水");
  EXPECT_EQ(std::string(text), "月の時計 2026/12/09(水)");
}

TEST(ClockTextsTest, VersionTextHasThreeLines) {
  char text[kVersionTextRoom];
  std::snprintf(text, sizeof text, TAVIMORE_VERSION_FORMAT("\r\n"), 1, 0, 0);
  EXPECT_EQ(std::string(text), "- Original Clock -\r\n\r\nver1.0.0");
  const int n = std::snprintf(text, sizeof text, TAVIMORE_VERSION_FORMAT("\r\n"), -2147483647 - 1,
                              -2147483647 - 1, -2147483647 - 1);
  EXPECT_LT(n, kVersionTextRoom) << "room for any three numbers";
}

}  // namespace
}  // namespace tavimore
