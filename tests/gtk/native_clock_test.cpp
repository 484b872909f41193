#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/build_list.h"
#include "core/build_marker.h"
#include "core/clock_builder.h"
#include "core/clock_face.h"
#include "core/cp932.h"
#include "core/picture_strip.h"
#include "decode/picture_decode.h"
#include "linux/native_clock.h"

namespace tavimore {
namespace {

// A clock program as delivered, reduced to what tells its build: the marker.
std::vector<uint8_t> ProgramBytes(const char* build) {
  const std::string marker = std::string(kBuildMarkerPrefix) + build;
  std::vector<uint8_t> bytes(4096, 0);
  std::memcpy(bytes.data() + 1000, marker.c_str(), marker.size() + 1);
  return bytes;
}

// Face image k is one colour of its own, so a swapped or repeated frame shows.
uint32_t FrameColour(int k) { return 0x00102030u * static_cast<uint32_t>(k + 1); }

PayloadContent Content(int frames) {
  PayloadContent c;
  c.author = Cp932FromUtf8("月の時計");
  c.url = "https://example.org/moon";
  c.mail = "moon@example.org";
  c.hands[kHour] = {0x0000FF, 50};
  c.hands[kMinute] = {0x00FF00, 70};
  c.hands[kSecond] = {0xFF0000, 90};
  for (int k = 0; k < frames; ++k) c.images.insert(c.images.end(), kImageValues, FrameColour(k));
  return c;
}

std::vector<uint8_t> BuiltClock(const char* build, const PayloadContent& content) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(BuildClockBytes(ProgramBytes(build), content, &out));
  return out;
}

// The pixel (x, y) of a rendered window as 0x00RRGGBB.
uint32_t PixelAt(const std::vector<uint8_t>& rgba, int x, int y) {
  const uint8_t* p = &rgba[(y * kWindowSize + x) * 4];
  return static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
}

// Test that each clock program as delivered shows what `tavimore render` draws for it:
// the built-in picture through the same decoder, or the plain colour, and the defaults.
TEST(NativeClockTest, ProgramsAsDeliveredShowTheirOwnFace) {
  for (const ClockBuild* build : kAllBuilds) {
    NativeClock clock;
    ASSERT_EQ(LoadNativeClock(ProgramBytes(build->name), &clock), ClockLoad::kReady) << build->name;
    EXPECT_EQ(clock.build, build);
    EXPECT_EQ(clock.author, "Brenwick");
    EXPECT_EQ(clock.homePage, "https://tavimore.example/");
    EXPECT_EQ(clock.mail, "mailto:clock@tavimore.example");

    std::vector<uint32_t> face;
    if (build->picture) {
      PictureStrip strip;
      ASSERT_EQ(DecodePictureStrip(build->picture, build->pictureSize, &strip), StripError::kNone);
      face.assign(strip.images.begin(), strip.images.begin() + kImageValues);
    }
    std::vector<uint8_t> expected(kWindowRgbaBytes), shown(kWindowRgbaBytes);
    RenderClockWindow(*build, build->defaults, face.empty() ? nullptr : face.data(), {10, 10, 30},
                      expected.data());
    ASSERT_TRUE(TickNativeClock(&clock, "2026/12/08 10:10:30", shown.data()));
    EXPECT_EQ(shown, expected) << build->name;
    EXPECT_EQ(clock.bgIndex, 0) << "without face images the index stays 0";
  }
}

// Test that face images come one per new second, 0, 1, 2, 0, and that a tick in the same
// second neither redraws nor moves on.
TEST(NativeClockTest, FaceImagesInTurnOncePerSecond) {
  NativeClock clock;
  ASSERT_EQ(LoadNativeClock(BuiltClock("Pirrow", Content(3)), &clock), ClockLoad::kReady);
  std::vector<uint8_t> rgba(kWindowRgbaBytes);
  const char* seconds[] = {"2026/12/08 23:59:58", "2026/12/08 23:59:59", "2026/12/09 00:00:00",
                           "2026/12/09 00:00:01"};
  const int frames[] = {0, 1, 2, 0};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(TickNativeClock(&clock, seconds[i], rgba.data())) << seconds[i];
    // (10, 40): inside the circle, away from every hand.
    EXPECT_EQ(PixelAt(rgba, 10, 40), FrameColour(frames[i])) << seconds[i];
    std::fill(rgba.begin(), rgba.end(), 0xAB);
    EXPECT_FALSE(TickNativeClock(&clock, seconds[i], rgba.data())) << "a second tick in " << seconds[i];
    EXPECT_EQ(rgba[0], 0xAB) << "an idle tick draws nothing";
  }
  // A clock set back is redrawn too; nothing requires time to move forward.
  EXPECT_TRUE(TickNativeClock(&clock, "2026/12/08 23:59:58", rgba.data()));
  EXPECT_FALSE(TickNativeClock(&clock, "not a time", rgba.data()));
}

// Test that the hands follow the payload and the time: the built clock equals the render
// of its own settings, and a second later the picture differs.
TEST(NativeClockTest, BuiltClockDrawsItsOwnHands) {
  const PayloadContent content = Content(1);
  NativeClock clock;
  ASSERT_EQ(LoadNativeClock(BuiltClock("Quellet", content), &clock), ClockLoad::kReady);
  std::vector<uint8_t> expected(kWindowRgbaBytes), shown(kWindowRgbaBytes);
  RenderClockWindow(kQuelletBuild, content.hands, content.images.data(), {3, 30, 45}, expected.data());
  ASSERT_TRUE(TickNativeClock(&clock, "2026/12/08 15:30:45", shown.data()));
  EXPECT_EQ(shown, expected);
  ASSERT_TRUE(TickNativeClock(&clock, "2026/12/08 15:30:46", shown.data()));
  EXPECT_NE(shown, expected);
}

// Test the texts the tooltip and the menu take from the file: Japanese from code page 932,
// defaults for empty fields, and only the addresses the menu may open.
TEST(NativeClockTest, TextsAndTheAddressesTheMenuOpens) {
  struct Case {
    const char* url;
    const char* mail;
    const char* homePage;  // what the menu opens; "" for nothing
    const char* mailTarget;
  };
  const Case cases[] = {
      {"https://example.org/moon", "moon@example.org", "https://example.org/moon", "mailto:moon@example.org"},
      {"www.example.org", "a@b", "http://www.example.org", "mailto:a@b"},
      {"", "", "https://tavimore.example/", "mailto:clock@tavimore.example"},
      {"file:///etc/passwd", "x\"@y", "", ""},
      {"/usr/bin/xterm", "a b@c", "", ""},
      {"javascript:alert(1)", "a\tb@c", "", ""},
      {"https://example.org/a b", "a@b\x7f", "", ""},
  };
  for (const Case& c : cases) {
    PayloadContent content = Content(1);
    content.url = c.url;
    content.mail = c.mail;
    NativeClock clock;
    ASSERT_EQ(LoadNativeClock(BuiltClock("Varnet", content), &clock), ClockLoad::kReady) << c.url;
    EXPECT_EQ(clock.author, "月の時計");
    EXPECT_EQ(clock.homePage, c.homePage) << c.url;
    EXPECT_EQ(clock.mail, c.mailTarget) << c.mail;
  }
}

// Test that damaged files and files that are no clock are refused, never shown.
TEST(NativeClockTest, DamagedAndForeignFilesAreRefused) {
  const std::vector<uint8_t> good = BuiltClock("Damsole", Content(2));
  NativeClock clock;
  // The last byte of a file may go: the reader's own zero byte stands for it.
  for (size_t cut : {size_t{kPayloadOffset}, size_t{kPayloadOffset + 1}, size_t{kPayloadOffset + 30},
                     good.size() - kImageBlockBytes, good.size() - 2}) {
    const std::vector<uint8_t> bytes(good.begin(), good.begin() + cut);
    EXPECT_EQ(LoadNativeClock(bytes, &clock), ClockLoad::kDamaged) << "cut at " << cut;
  }
  std::vector<uint8_t> noImages = good;
  const size_t countByte = kPayloadOffset + Cp932FromUtf8("月の時計").size() + 1 +
                           std::strlen("https://example.org/moon") + 1 +
                           std::strlen("moon@example.org") + 1;
  ASSERT_EQ(noImages[countByte], 2);
  noImages[countByte] = 0;
  EXPECT_EQ(LoadNativeClock(noImages, &clock), ClockLoad::kDamaged) << "an image count of 0";

  EXPECT_EQ(LoadNativeClock(std::vector<uint8_t>(60000, 0x41), &clock), ClockLoad::kNotAClock);
  EXPECT_EQ(LoadNativeClock({}, &clock), ClockLoad::kNotAClock);
  // A marker behind the program part is payload, not a program.
  std::vector<uint8_t> late(kPayloadOffset, 0);
  const std::vector<uint8_t> program = ProgramBytes("Varnet");
  late.insert(late.end(), program.begin(), program.end());
  EXPECT_EQ(LoadNativeClock(late, &clock), ClockLoad::kNotAClock);
}

}  // namespace
}  // namespace tavimore
