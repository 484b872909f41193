#include "core/payload_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "payload_fixtures.h"

namespace tavimore {
namespace {

using test::Content;
using test::Encode;
using test::Text;

// Test that the layout has the sizes and byte positions other tools rely on.
TEST(PayloadLayout, SizesAndPositions) {
  EXPECT_EQ(Encode(Content("abcde", std::string(20, 'u'), std::string(15, 'm'), 2)).size(), 51268u);

  const std::vector<uint8_t> empty = Encode(Content("", "", "", 1));
  ASSERT_EQ(empty.size(), 3 + kHandBlockBytes + kImageBlockBytes);
  EXPECT_EQ(empty[0] | empty[1] | empty[2], 0);
  // The hand block starts right after the three zero bytes.
  const uint8_t hand[kHandBlockBytes] = {1,    3,    0xFF, 0x80, 0x40, 75,   2,    0x00, 0x00,
                                         0x80, 80,   1,    0x10, 0x30, 0x00, 200,  0};
  EXPECT_EQ(std::memcmp(empty.data() + 3, hand, kHandBlockBytes), 0);
}

TEST(PayloadLayout, ColourBytesAreBlueGreenRed) {
  uint8_t b[3];
  EncodeColor(0xFF8040, b);  // red 0x40, green 0x80, blue 0xFF
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0x80);
  EXPECT_EQ(b[2], 0x40);
}

TEST(PayloadLayout, SpareValueIsWrittenAsZeroAndPixelsLittleEndian) {
  PayloadContent c = Content("", "", "", 1);
  c.images[0] = 0x00332211;
  c.images[kFacePixels] = 0xDEADBEEF;
  const std::vector<uint8_t> p = Encode(c);
  const size_t img = 3 + kHandBlockBytes;
  EXPECT_EQ(p[img], 0x11);
  EXPECT_EQ(p[img + 1], 0x22);
  EXPECT_EQ(p[img + 2], 0x33);
  EXPECT_EQ(p[img + 3], 0x00);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p[img + 4 * kFacePixels + i], 0);
}

TEST(PayloadLayout, WriterRefusesWhatCannotBeReadBack) {
  std::vector<uint8_t> out;
  EXPECT_FALSE(EncodePayload(Content("a", "", "", 0), &out));
  EXPECT_FALSE(EncodePayload(Content("a", "", "", 256), &out));
  PayloadContent partial = Content("a", "", "", 1);
  partial.images.pop_back();
  EXPECT_FALSE(EncodePayload(partial, &out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(EncodePayload(Content("a", "", "", 255), &out));
}

TEST(PayloadLayout, TextStopsAtItsFirstZeroByte) {
  const std::vector<uint8_t> p = Encode(Content(std::string("ab\0cd", 5), "", "", 1));
  DecodedPayload d;
  ASSERT_EQ(DecodePayload(p.data(), p.size(), &d), PayloadError::kNone);
  EXPECT_EQ(Text(p, d.author), "ab");
  EXPECT_EQ(d.imageCount, 1);
}

}  // namespace
}  // namespace tavimore
