// Tests of the clock's texts that every front end shows.
#include "core/clock_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimore {
namespace {

// Test that the tooltip is the author, the Gregorian date of the local time and the
// weekday's name as given, in either text form; an era calendar would show 2026 as 08
// and a Buddhist one as 2569. Too small a buffer gives nothing rather than a cut text.
TEST(ClockTextsTest, TooltipIsTheAuthorAndTheGregorianDate) {
  char text[64];
  const LocalTime sunday{2002, 4, 14, 15, 38, 52, 0};
  EXPECT_EQ(FormatTooltipText("Brenwick", 8, sunday, "Sun", 3, text, 64), 24);
  EXPECT_EQ(std::string(text), "Brenwick 2002/04/14(Sun)");

  wchar_t wide[64];
  const std::wstring author = L"月の時計";
  const LocalTime wednesday{2026, 12, 9, 0, 0, 0, 0};
  ASSERT_GT(FormatTooltipText(author.c_str(), 4, wednesday, L"水", 1, wide, 64), 0);
  EXPECT_EQ(std::wstring(wide), L"月の時計 2026/12/09(水)");

  EXPECT_EQ(FormatTooltipText("Brenwick", 8, sunday, "Sun", 3, text, 24), 0);
  EXPECT_EQ(FormatTooltipText("Brenwick", 8, sunday, "Sun", 3, text, 25), 24);
}

TEST(ClockTextsTest, VersionTextHasThreeLines) {
  char text[kVersionTextRoom];
  EXPECT_EQ(FormatVersionText(1, 0, 0, "\r\n", text), 30);
  EXPECT_EQ(std::string(text), "- Original Clock -\r\n\r\nver1.0.0");
  wchar_t wide[kVersionTextRoom];
  FormatVersionText(12, 345, 2147483647, L"\n", wide);
  EXPECT_EQ(std::wstring(wide), L"- Original Clock -\n\nver12.345.2147483647");
}

}  // namespace
}  // namespace tavimore
