#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/png_data_bound.h"
#include "decode/picture_decode.h"
#include "test_pictures.h"

namespace tavimore {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes* b, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b->push_back(static_cast<uint8_t>(v >> shift));
}

// A chunk with a CRC of zeros: the bound does not read CRCs.
void Chunk(Bytes* b, const char* type, const Bytes& data) {
  Put32(b, static_cast<uint32_t>(data.size()));
  b->insert(b->end(), type, type + 4);
  b->insert(b->end(), data.begin(), data.end());
  Put32(b, 0);
}

// An 80 x 80 RGB PNG whose IDAT chunks hold `sizes` bytes each.
Bytes PngWithData(const std::vector<size_t>& sizes) {
  Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32(&header, 80);
  Put32(&header, 80);
  header.insert(header.end(), {8, 2, 0, 0, 0});
  Chunk(&b, "IHDR", header);
  for (size_t n : sizes) Chunk(&b, "IDAT", Bytes(n, 0x55));
  Chunk(&b, "IEND", {});
  return b;
}

bool Fits(const Bytes& b) { return PngDataFitsItsSize(b.data(), b.size()); }

// Test the stream sizes against ones counted by hand: 8 x 8 grey interlaced has passes of
// 1x1, 1x1, 2x1, 2x2, 4x2, 4x4 and 8x4 pixels, each row with its filter byte.
TEST(PngDataBoundTest, StreamBytesOfEveryLayout) {
  EXPECT_EQ(PngStreamBytes(80, 80, 8, 2, false), 80u * (1 + 240));
  EXPECT_EQ(PngStreamBytes(80, 20400, 16, 6, false), 20400u * (1 + 640));
  EXPECT_EQ(PngStreamBytes(80, 80, 1, 3, false), 80u * (1 + 10));
  EXPECT_EQ(PngStreamBytes(81, 1, 2, 0, false), 1u + 21) << "a part byte ends each row";
  EXPECT_EQ(PngStreamBytes(8, 8, 8, 0, false), 72u);
  EXPECT_EQ(PngStreamBytes(8, 8, 8, 0, true), 2u + 2 + 3 + 6 + 10 + 20 + 36);
  EXPECT_EQ(PngStreamBytes(1, 1, 8, 0, true), 2u) << "empty passes have no filter bytes";
  EXPECT_EQ(PngStreamBytes(80, 80, 4, 2, false), 0u) << "RGB has no 4-bit depth";
  EXPECT_EQ(PngStreamBytes(80, 80, 8, 5, false), 0u) << "no colour type 5";
}

// Test the bound at its edge, with the data in one chunk and spread over several, and that
// a bomb behind an 80 x 80 header is refused by every program before decoding.
TEST(PngDataBoundTest, DataBeyondTheBoundIsRefused) {
  const size_t allowed = 19280 + 19280 / 4 + 4096;
  EXPECT_TRUE(Fits(PngWithData({allowed})));
  EXPECT_FALSE(Fits(PngWithData({allowed + 1})));
  EXPECT_TRUE(Fits(PngWithData({allowed / 2, allowed - allowed / 2})));
  EXPECT_FALSE(Fits(PngWithData({allowed / 2, allowed / 2, 4096})));
  EXPECT_TRUE(Fits(PngWithData({100, 0, 100})));

  PictureStrip strip;
  const Bytes bomb = PngWithData({4 << 20});
  EXPECT_EQ(DecodePictureStrip(bomb.data(), bomb.size(), &strip), StripError::kNotAPicture);
}

// Test that a file cut inside its data is judged by the bytes it holds, and that chunk
// lengths running past the end or wrapping around cannot push the walk out of the file.
TEST(PngDataBoundTest, CutAndDamagedFiles) {
  const size_t allowed = 19280 + 19280 / 4 + 4096;
  Bytes cut = PngWithData({allowed + 1000});
  cut.resize(cut.size() - 12 - 4 - 1000);  // IEND, the CRC and 1000 bytes of data gone
  EXPECT_TRUE(Fits(cut));
  for (uint32_t length : {0xFFFFFFFFu, 0xFFFFFFF0u, 0x80000000u}) {
    Bytes b = PngWithData({10});
    for (int i = 0; i < 4; ++i) b[33 + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    EXPECT_TRUE(Fits(b)) << length;
  }
  for (size_t n = 0; n < 40; ++n) {
    const Bytes b = PngWithData({10});
    EXPECT_TRUE(PngDataFitsItsSize(b.data(), n)) << "the first " << n << " bytes";
  }
}

// Test that the largest data a real encoder writes fits: noise, which no encoder can
// compress, written with fixed Huffman codes only (9 bits for many bytes), as our own
// writer and other small encoders do.
TEST(PngDataBoundTest, IncompressiblePicturesFit) {
  std::mt19937 random(7);
  test::Rgba noise{80, 160, std::vector<uint8_t>(80 * 160 * 4)};
  for (uint8_t& v : noise.pixels) v = static_cast<uint8_t>(random());
  const Bytes png = test::EncodePng(noise);
  ASSERT_GT(png.size(), PngStreamBytes(80, 160, 8, 6, false)) << "the noise did not compress";
  EXPECT_TRUE(Fits(png));
  PictureStrip strip;
  EXPECT_EQ(DecodePictureStrip(png.data(), png.size(), &strip), StripError::kNone);
}

}  // namespace
}  // namespace tavimore
