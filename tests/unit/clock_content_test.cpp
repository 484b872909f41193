// Tests of what a clock shows from its file: texts after their defaults, the addresses the
// menu may open, and which files are refused.
#include "core/clock_content.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/build_list.h"
#include "core/clock_file.h"
#include "core/cp932.h"
#include "payload_fixtures.h"

namespace tavimore {
namespace {

using test::BuiltClock;
using test::ProgramBytes;

std::string Shown(const ClockText& t) { return Utf8FromCp932(std::string_view(t.bytes, t.length)); }

std::string Opened(const ClockContent& c, MenuAddressKind kind) {
  std::string out(MenuAddressRoom(c, kind), '#');
  const size_t n = MenuAddress(c, kind, out.data());
  return n == 0 ? "(refused)" : out.substr(0, n);
}

// Test that a clock program as delivered shows its build's defaults and the default texts.
TEST(ClockContentTest, ProgramsAsDeliveredShowTheirDefaults) {
  for (const ClockBuild* build : kAllBuilds) {
    const std::vector<uint8_t> bytes = ProgramBytes(build->name);
    ClockContent c;
    ASSERT_EQ(OpenClockFile(bytes.data(), bytes.size(), nullptr, &c), ClockOpen::kReady);
    EXPECT_EQ(c.build, build);
    EXPECT_FALSE(HasFaceImages(c));
    EXPECT_EQ(c.settings.hands[kSecond].color, build->defaults[kSecond].color) << build->name;
    EXPECT_EQ(Shown(c.author), "Brenwick");
    EXPECT_EQ(Opened(c, MenuAddressKind::kHomePage), "https://tavimore.example/");
    EXPECT_EQ(Opened(c, MenuAddressKind::kMail), "mailto:clock@tavimore.example");
  }
}

// Test the texts a built clock shows and opens: Japanese as code page 932, defaults for
// empty fields, and only the addresses the menu may open.
TEST(ClockContentTest, TextsAndTheAddressesTheMenuOpens) {
  struct Case {
    const char* url;
    const char* mail;
    const char* homePage;
    const char* mailTarget;
  };
  const Case cases[] = {
      {"https://example.org/moon", "moon@example.org", "https://example.org/moon", "mailto:moon@example.org"},
      {"", "", "https://tavimore.example/", "mailto:clock@tavimore.example"},
      {"file:///etc/passwd", "x\"@y", "(refused)", "(refused)"},
      {"javascript:alert(1)", "a\tb@c", "(refused)", "(refused)"},
  };
  for (const Case& k : cases) {
    PayloadContent content = test::Content(Cp932FromUtf8("月の時計"), k.url, k.mail, 1);
    const std::vector<uint8_t> file = BuiltClock("Varnet", content);
    ClockContent c;
    ASSERT_EQ(OpenClockFile(file.data(), file.size(), nullptr, &c), ClockOpen::kReady) << k.url;
    EXPECT_TRUE(HasFaceImages(c));
    EXPECT_EQ(Shown(c.author), "月の時計");
    EXPECT_EQ(Opened(c, MenuAddressKind::kHomePage), k.homePage) << k.url;
    EXPECT_EQ(Opened(c, MenuAddressKind::kMail), k.mailTarget) << k.mail;
  }
}

// Test that damaged files and files that are no clock are refused, never shown.
TEST(ClockContentTest, DamagedAndForeignFilesAreRefused) {
  const std::vector<uint8_t> good = BuiltClock("Damsole", test::Content("a", "b", "c", 2));
  ClockContent c;
  const auto open = [&](const std::vector<uint8_t>& bytes) {
    return OpenClockFile(bytes.data(), bytes.size(), nullptr, &c);
  };
  // Shorter than the payload offset, a file is a clock program as delivered. (The payload
  // cut at every length: payload_reader_test.)
  EXPECT_EQ(open({good.begin(), good.begin() + kPayloadOffset - 1}), ClockOpen::kReady);
  EXPECT_FALSE(HasFaceImages(c));
  // The last byte of a file may go: the reader's own zero byte stands for it.
  for (size_t cut : {size_t{kPayloadOffset}, size_t{kPayloadOffset + 1}, size_t{kPayloadOffset + 30},
                     good.size() - kImageBlockBytes, good.size() - 2}) {
    EXPECT_EQ(open({good.begin(), good.begin() + cut}), ClockOpen::kDamaged) << "cut at " << cut;
    EXPECT_NE(c.damage, PayloadError::kNone);
  }
  std::vector<uint8_t> noImages = good;
  noImages[kPayloadOffset + 6] = 0;  // the count, behind "a", "b" and "c"
  EXPECT_EQ(open(noImages), ClockOpen::kDamaged) << "an image count of 0";

  EXPECT_EQ(open(std::vector<uint8_t>(60000, 0x41)), ClockOpen::kNotAClock);
  EXPECT_EQ(open({}), ClockOpen::kNotAClock);
  // A marker behind the program part is payload, not a program.
  std::vector<uint8_t> late(kPayloadOffset, 0);
  const std::vector<uint8_t> program = ProgramBytes("Varnet");
  late.insert(late.end(), program.begin(), program.end());
  EXPECT_EQ(open(late), ClockOpen::kNotAClock);
  // Named by the caller, a file of no build opens as that build.
  EXPECT_EQ(OpenClockFile(late.data(), 100, &kPirrowBuild, &c), ClockOpen::kReady);
  EXPECT_EQ(c.build, &kPirrowBuild);
}

}  // namespace
}  // namespace tavimore
