#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/payload_reader.h"
#include "core/payload_writer.h"
#include "payload_fixtures.h"

namespace tavimore {
namespace {

using test::Content;
using test::Encode;
using test::Text;

// Test that what the writer writes, the reader reads back, field for field.
TEST(PayloadRoundTrip, EveryField) {
  const PayloadContent c = Content("\x8E\x52\x93\x63", "https://a.example/", "m@a.example", 3);
  std::vector<uint8_t> p = Encode(c);
  p.insert(p.end(), {1, 2, 3, 4, 5});  // anything behind the last image is ignored
  DecodedPayload d;
  ASSERT_EQ(DecodePayload(p.data(), p.size(), &d), PayloadError::kNone);
  EXPECT_EQ(Text(p, d.author), c.author);
  EXPECT_EQ(Text(p, d.url), c.url);
  EXPECT_EQ(Text(p, d.mail), c.mail);
  EXPECT_EQ(d.imageCount, 3);
  for (int h = 0; h < kHandCount; ++h) {
    EXPECT_EQ(d.hands[h].color, c.hands[h].color) << "hand " << h;
    EXPECT_EQ(d.hands[h].length, c.hands[h].length) << "hand " << h;
  }
  std::vector<uint32_t> image(kImageValues);
  for (int k = 0; k < 3; ++k) {
    ReadFaceImage(p.data(), p.size(), d.imagesOffset, k, image.data());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), c.images.begin() + k * kImageValues))
        << "image " << k;
  }
}

TEST(PayloadReader, ValuesAreTakenAsTheyStand) {
  // Three empty texts, a hand block with colour bytes 10 30 00 and a length of 200 (no
  // clamping), and one image whose first pixel is 11 22 33 00.
  std::vector<uint8_t> p = {0, 0, 0, 1, 9, 0x10, 0x30, 0x00, 200, 9, 0, 0, 0, 1, 9, 0, 0, 0, 0, 0};
  p.resize(p.size() + kImageBlockBytes);
  p[20] = 0x11, p[21] = 0x22, p[22] = 0x33;
  DecodedPayload d;
  ASSERT_EQ(DecodePayload(p.data(), p.size(), &d), PayloadError::kNone);
  EXPECT_EQ(d.author.length + d.url.length + d.mail.length, 0u);
  EXPECT_EQ(d.hands[kHour].color, 0x103000u);
  EXPECT_EQ(d.hands[kHour].length, 200);
  EXPECT_EQ(d.imagesOffset, 20u);
  uint32_t image[kImageValues];
  ReadFaceImage(p.data(), p.size(), d.imagesOffset, 0, image);
  EXPECT_EQ(image[0], 0x00332211u);
}

TEST(PayloadReader, DamagedPayloadsAreErrors) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    PayloadError expected;
  };
  const std::vector<Case> cases = {
      // A file of exactly 55000 bytes: the first text is the reader's own zero byte, the
      // second would start beyond it.
      {"empty payload", {}, PayloadError::kTextPastEnd},
      {"one text", {'a', 0}, PayloadError::kTextPastEnd},
      {"texts run to the end", {'a', 0, 'b', 0, 'c'}, PayloadError::kHandBlockCut},
      {"hand block cut", {0, 0, 0, 1, 3, 0, 0, 0}, PayloadError::kHandBlockCut},
      {"count 0", {0, 0, 0, 0, 3, 0, 0, 0, 50, 2, 0, 0, 0, 50, 1, 0, 0, 0, 50, 0},
       PayloadError::kNoImages},
      {"no image block", {0, 0, 0, 1, 3, 0, 0, 0, 50, 2, 0, 0, 0, 50, 1, 0, 0, 0, 50, 0},
       PayloadError::kImagesCut},
  };
  for (const Case& c : cases) {
    DecodedPayload d;
    EXPECT_EQ(DecodePayload(c.bytes.data(), c.bytes.size(), &d), c.expected) << c.what;
  }
}

// Test that a clock file cut at any length is read as a clock without payload, reported as
// damaged, or (cut only by the last byte, which the reader's own zero stands in for) read
// as before. The sanitizer build turns any read outside the bytes into a failure.
TEST(PayloadReader, FileCutAtEveryLength) {
  const std::vector<uint8_t> payload = Encode(Content("name", "url", "mail", 1));
  std::vector<uint8_t> file(kPayloadOffset, 0x90);
  file.insert(file.end(), payload.begin(), payload.end());
  DecodedPayload full;
  ASSERT_EQ(DecodePayload(payload.data(), payload.size(), &full), PayloadError::kNone);

  int damaged = 0, whole = 0;
  for (size_t length = kPayloadOffset; length <= file.size(); ++length) {
    // A fresh copy of exactly `length` bytes, so reading past it is caught.
    std::vector<uint8_t> cut(file.begin() + kPayloadOffset, file.begin() + length);
    DecodedPayload d;
    const PayloadError e = DecodePayload(cut.data(), cut.size(), &d);
    if (e != PayloadError::kNone) {
      ++damaged;
      continue;
    }
    ++whole;
    EXPECT_GE(length, file.size() - 1) << "read as whole though cut at " << length;
    std::vector<uint32_t> a(kImageValues), b(kImageValues);
    ReadFaceImage(cut.data(), cut.size(), d.imagesOffset, 0, a.data());
    ReadFaceImage(payload.data(), payload.size(), full.imagesOffset, 0, b.data());
    EXPECT_EQ(a, b);
  }
  EXPECT_EQ(whole, 2);  // the whole file, and the file less its last byte
  EXPECT_EQ(damaged, static_cast<int>(payload.size()) - 1);
}

TEST(FieldLengthTest, StopsAtZeroOrEnd) {
  const uint8_t b[] = {'a', 'b', 0, 'c'};
  EXPECT_EQ(FieldLength(b, 4, 0), 2u);
  EXPECT_EQ(FieldLength(b, 4, 2), 0u);
  EXPECT_EQ(FieldLength(b, 4, 3), 1u);  // the end counts as a zero byte
  EXPECT_EQ(FieldLength(b, 4, 4), 0u);
}

}  // namespace
}  // namespace tavimore
