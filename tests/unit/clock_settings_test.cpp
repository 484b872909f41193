#include <gtest/gtest.h>

#include <vector>

#include "core/build_list.h"
#include "core/clock_settings.h"
#include "core/payload_writer.h"

namespace tavimore {
namespace {

// Test that a clock without payload starts with its build's own hands and no face images
// or texts, and that every build's hands are ones the editor could set: lengths 1 to 100,
// colours of 24 bits, the hour hand no longer than the minute hand.
TEST(ClockSettingsTest, DefaultsOfEachBuild) {
  for (const ClockBuild* build : kAllBuilds) {
    const ClockSettings s = DefaultSettings(*build);
    EXPECT_EQ(s.imageCount, -1);
    EXPECT_EQ(s.author.length + s.url.length + s.mail.length, 0u);
    for (int h = 0; h < kHandCount; ++h) {
      EXPECT_EQ(s.hands[h].color, build->defaults[h].color) << build->name << " hand " << h;
      EXPECT_EQ(s.hands[h].length, build->defaults[h].length) << build->name << " hand " << h;
      EXPECT_GE(s.hands[h].length, 1) << build->name;
      EXPECT_LE(s.hands[h].length, 100) << build->name;
      EXPECT_EQ(s.hands[h].color >> 24, 0u) << build->name;
    }
    EXPECT_LE(s.hands[kHour].length, s.hands[kMinute].length) << build->name;
  }
}

TEST(ClockSettingsTest, APayloadReplacesAllSixHandValues) {
  PayloadContent c;
  c.author = "x";
  c.hands[kHour] = {1, 0};
  c.hands[kMinute] = {2, 255};
  c.hands[kSecond] = {3, 7};
  c.images.assign(2 * kImageValues, 0);
  std::vector<uint8_t> p;
  ASSERT_TRUE(EncodePayload(c, &p));
  ClockSettings s = DefaultSettings(kPirrowBuild);
  ASSERT_EQ(ApplyPayload(p.data(), p.size(), &s), PayloadError::kNone);
  EXPECT_EQ(s.imageCount, 2);
  EXPECT_EQ(s.author.length, 1u);
  EXPECT_EQ(s.url.length, 0u);  // empty: the clock shows its default
  for (int h = 0; h < 3; ++h) {
    EXPECT_EQ(s.hands[h].color, c.hands[h].color);
    EXPECT_EQ(s.hands[h].length, c.hands[h].length);
  }

  ClockSettings damaged = DefaultSettings(kPirrowBuild);
  EXPECT_EQ(ApplyPayload(p.data(), 30, &damaged), PayloadError::kImagesCut);
}

}  // namespace
}  // namespace tavimore
