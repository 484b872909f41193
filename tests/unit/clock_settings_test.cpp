#include <gtest/gtest.h>

#include <vector>

#include "clock/build_list.h"
#include "clock/clock_settings.h"
#include "payload/payload_writer.h"

namespace tavimore {
namespace {

// Test each build's defaults, which a clock without payload shows.
TEST(ClockSettingsTest, DefaultsOfEachBuild) {
  struct Case {
    const char* name;
    uint32_t colors[3];
    int lengths[3];
  };
  const Case cases[] = {
      {"Varnet", {0x103000, 0x103000, 0}, {28, 45, 55}},
      {"Ossimar", {0x103000, 0x103000, 0}, {25, 45, 80}},
      {"Pirrow", {0x000080, 0x8000F0, 0xFF00FF}, {75, 80, 90}},
      {"Quellet", {0x103000, 0x103000, 0}, {20, 30, 40}},
      {"Damsole", {0x103000, 0x103000, 0}, {20, 30, 40}},
  };
  for (const Case& c : cases) {
    const ClockBuild* build = FindBuild(c.name);
    ASSERT_NE(build, nullptr) << c.name;
    const ClockSettings s = DefaultSettings(*build);
    EXPECT_EQ(s.imageCount, -1);
    EXPECT_EQ(s.author.length + s.url.length + s.mail.length, 0u);
    for (int h = 0; h < 3; ++h) {
      EXPECT_EQ(s.hands[h].color, c.colors[h]) << c.name << " hand " << h;
      EXPECT_EQ(s.hands[h].length, c.lengths[h]) << c.name << " hand " << h;
    }
  }
  EXPECT_EQ(FindBuild("varnet"), nullptr);
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

// Test that a clock program is recognised by the marker it carries, wherever it stands.
TEST(DetectBuildTest, FindsTheMarker) {
  const auto detect = [](const std::string& bytes) {
    const ClockBuild* b = DetectBuild(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return b ? std::string(b->name) : std::string("none");
  };
  EXPECT_EQ(detect(std::string("MZ\0\0TavimoreClockBuild=Quellet\0rest", 35)), "Quellet");
  EXPECT_EQ(detect(std::string("TavimoreClockBuild=Nobody\0TavimoreClockBuild=Pirrow\0", 52)), "Pirrow");
  EXPECT_EQ(detect(std::string("TavimoreClockBuild=Pirrow")), "none");  // no terminator
  EXPECT_EQ(detect(std::string("TavimoreClockBuild=Pirrowx\0", 27)), "none");
  EXPECT_EQ(detect(""), "none");
}

}  // namespace
}  // namespace tavimore
