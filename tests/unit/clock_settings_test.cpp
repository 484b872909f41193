#include <gtest/gtest.h>

#include <vector>

#include "core/build_list.h"
#include "core/clock_settings.h"
#include "core/payload_writer.h"

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

// Test that a clock file cut at any length starts as a clock without payload (shorter than
// the payload offset), is damaged, or (cut by its last byte only, which the reader's own
// zero byte stands in for) reads as the whole file does. Under the sanitizers a read
// outside the bytes fails the test.
TEST(ClockSettingsTest, ClockFileCutAtEveryLength) {
  PayloadContent c;
  c.author = "name";
  c.hands[kHour] = {0x123456, 11};
  c.hands[kMinute] = {0x654321, 22};
  c.hands[kSecond] = {0xABCDEF, 33};
  c.images.assign(kImageValues, 0x00102030);
  std::vector<uint8_t> file(kPayloadOffset, 0x90);
  ASSERT_TRUE(EncodePayload(c, &file));

  ClockSettings whole = DefaultSettings(kVarnetBuild);
  ASSERT_EQ(ApplyClockFile(file.data(), file.size(), &whole), PayloadError::kNone);
  int plain = 0, damaged = 0, read = 0;
  for (size_t length = 0; length <= file.size(); ++length) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + length);
    ClockSettings s = DefaultSettings(kVarnetBuild);
    if (ApplyClockFile(cut.data(), cut.size(), &s) != PayloadError::kNone) {
      ++damaged;
    } else if (s.imageCount == -1) {
      ++plain;
      EXPECT_LT(length, kPayloadOffset);
      EXPECT_EQ(s.hands[kHour].length, kVarnetBuild.defaults[kHour].length);
    } else {
      ++read;
      EXPECT_GE(length, file.size() - 1);
      EXPECT_EQ(s.hands[kSecond].color, whole.hands[kSecond].color);
      EXPECT_EQ(s.imagesOffset, whole.imagesOffset);
    }
  }
  EXPECT_EQ(plain, static_cast<int>(kPayloadOffset));
  EXPECT_EQ(read, 2);
  EXPECT_EQ(damaged, static_cast<int>(file.size() - kPayloadOffset) - 1);
}

}  // namespace
}  // namespace tavimore
