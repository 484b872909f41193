#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/clock_builder.h"
#include "core/clock_definition.h"
#include "temp_folder.h"

namespace tavimore {
namespace {

PayloadContent OneImage(const std::string& author) {
  PayloadContent c;
  c.author = author;
  c.hands[kHour] = {0x0000FF, 100};
  c.hands[kMinute] = {0xC00000, 1};
  c.hands[kSecond] = {0, 50};
  c.images.assign(kImageValues, 0x00ABCDEF);
  return c;
}

// Test the worked example: author "abc", empty address and mail, one 80 x 80 picture.
TEST(BuildClockBytesTest, TemplateThenPayload) {
  std::vector<uint8_t> small(43520, 0x4D);
  std::vector<uint8_t> out;
  ASSERT_TRUE(BuildClockBytes(small, OneImage("abc"), &out));
  ASSERT_EQ(out.size(), 80627u);
  EXPECT_EQ(out[43519], 0x4D);
  for (size_t i = 43520; i < kPayloadOffset; ++i) ASSERT_EQ(out[i], 0) << i;
  const uint8_t start[] = {0x61, 0x62, 0x63, 0, 0, 0, 1, 3, 0x00, 0x00, 0xFF, 100, 2, 0xC0, 0, 0, 1};
  EXPECT_EQ(std::memcmp(out.data() + kPayloadOffset, start, sizeof start), 0);

  std::vector<uint8_t> large(60000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i % 251 + 1);
  ASSERT_TRUE(BuildClockBytes(large, OneImage(""), &out));
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + kPayloadOffset, large.begin()));
  EXPECT_EQ(out[kPayloadOffset], 0);  // the payload starts at 55000 all the same

  PayloadContent none = OneImage("x");
  none.images.clear();
  EXPECT_FALSE(BuildClockBytes(large, none, &out));
}

using DefinitionTest = test::TempFolderTest;

TEST_F(DefinitionTest, FilesThatCannotMakeAClock) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(ReadDefinition(dir_ / "missing.prm", &bytes, &error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
  Write(dir_ / "empty.prm", "");
  EXPECT_FALSE(ReadDefinition(dir_ / "empty.prm", &bytes, &error));
  EXPECT_NE(error.find("empty"), std::string::npos) << error;
  std::filesystem::create_directory(dir_ / "folder.prm");
  EXPECT_FALSE(ReadDefinition(dir_ / "folder.prm", &bytes, &error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  Write(dir_ / "good.prm", "MZ");
  EXPECT_TRUE(ReadDefinition(dir_ / "good.prm", &bytes, &error));
  EXPECT_EQ(bytes.size(), 2u);
}

}  // namespace
}  // namespace tavimore
