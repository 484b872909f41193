#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/payload_reader.h"
#include "core/payload_writer.h"

namespace tavimore {
namespace {

PayloadContent Content(const std::string& a, const std::string& u, const std::string& m,
                       int images) {
  PayloadContent c;
  c.author = a;
  c.url = u;
  c.mail = m;
  c.hands[kHour] = {0xFF8040, 75};
  c.hands[kMinute] = {0x000080, 80};
  c.hands[kSecond] = {0x103000, 200};
  c.images.resize(static_cast<size_t>(images) * kImageValues);
  for (size_t i = 0; i < c.images.size(); ++i) c.images[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  for (int k = 0; k < images; ++k) c.images[static_cast<size_t>(k) * kImageValues + kFacePixels] = 0;
  return c;
}

std::vector<uint8_t> Encode(const PayloadContent& c) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(EncodePayload(c, &out));
  return out;
}

std::string Text(const std::vector<uint8_t>& p, TextField f) {
  return std::string(reinterpret_cast<const char*>(p.data()) + f.offset, f.length);
}

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
