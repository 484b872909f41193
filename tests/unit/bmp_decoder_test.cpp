#include <gtest/gtest.h>

#include <algorithm>

#include "core/bmp_decoder.h"

namespace tavimore {
namespace {

// A 5 x 3 picture of four colours: an odd width (rows need padding), no symmetry, so a
// flipped row order or a swapped channel shows. Indexes from the top row down.
constexpr int kW = 5, kH = 3;
constexpr uint8_t kIndex[kH][kW] = {{0, 1, 2, 3, 1}, {1, 0, 0, 2, 3}, {3, 3, 1, 0, 0}};
constexpr uint8_t kColor[4][3] = {{10, 20, 30}, {200, 0, 0}, {0, 200, 0}, {0, 0, 200}};  // RGB

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) { b[at] = v & 255, b[at + 1] = v >> 8 & 255; }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { Put16(b, at, v & 0xFFFF), Put16(b, at + 2, v >> 16); }

struct Bmp {
  uint32_t headerSize = 40;
  int32_t width = kW, height = kH;  // negative height: top down
  uint16_t bits = 8;
  uint32_t compression = 0;
  std::vector<uint32_t> masks;         // written at offset 54, inside or after the header
  std::vector<uint8_t> palette;        // as stored (3 or 4 bytes an entry)
  uint32_t colorsUsed = 0;
  std::vector<uint8_t> pixels;

  std::vector<uint8_t> File() const {
    const size_t afterHeader = 14 + headerSize;
    const size_t masksEnd = masks.empty() ? afterHeader : std::max(afterHeader, 54 + masks.size() * 4);
    const size_t pixelsAt = masksEnd + palette.size();
    std::vector<uint8_t> b(pixelsAt + pixels.size());
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(pixelsAt));
    Put32(b, 14, headerSize);
    if (headerSize == 12) {
      Put16(b, 18, width), Put16(b, 20, height), Put16(b, 22, 1), Put16(b, 24, bits);
    } else {
      Put32(b, 18, width), Put32(b, 22, height), Put16(b, 26, 1), Put16(b, 28, bits);
      Put32(b, 30, compression), Put32(b, 46, colorsUsed);
    }
    for (size_t i = 0; i < masks.size(); ++i) Put32(b, 54 + 4 * i, masks[i]);
    std::copy(palette.begin(), palette.end(), b.begin() + static_cast<long>(masksEnd));
    std::copy(pixels.begin(), pixels.end(), b.begin() + static_cast<long>(pixelsAt));
    return b;
  }
};

std::vector<uint8_t> Palette(int entryBytes) {
  std::vector<uint8_t> p;
  for (const auto& c : kColor)
    for (int k = 0; k < entryBytes; ++k) p.push_back(k < 3 ? c[2 - k] : 0);  // blue first
  return p;
}

// Rows as stored: bottom up unless `topDown`, each padded to four bytes; `pixel` writes
// one pixel of the given index at a bit offset.
template <typename Pixel>
std::vector<uint8_t> Rows(int bits, bool topDown, Pixel pixel) {
  const size_t stride = (kW * bits + 31) / 32 * 4;
  std::vector<uint8_t> data(stride * kH);
  for (int r = 0; r < kH; ++r) {
    const int y = topDown ? r : kH - 1 - r;
    for (int x = 0; x < kW; ++x) pixel(data.data() + stride * r, x * bits, kIndex[y][x]);
  }
  return data;
}

std::vector<uint8_t> IndexRows(int bits, bool topDown) {
  return Rows(bits, topDown, [bits](uint8_t* row, int bit, int index) {
    row[bit / 8] |= static_cast<uint8_t>(index << (8 - bits - bit % 8));
  });
}

DecodedPixels Decode(const std::vector<uint8_t>& file, bool* ok = nullptr) {
  DecodedPixels out;
  const bool decoded = DecodeBmp(file.data(), file.size(), 1 << 20, &out);
  if (ok) *ok = decoded;
  else EXPECT_TRUE(decoded);
  return out;
}

// Expected RGBA of (x, y): colour `index`, or the value `expect` gives for it.
void ExpectPixels(const DecodedPixels& d, const char* what,
                  uint32_t (*expect)(int index) = nullptr) {
  ASSERT_EQ(d.width, kW) << what;
  ASSERT_EQ(d.height, kH) << what;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint8_t* p = &d.bytes[(y * kW + x) * 4];
      const uint32_t got = p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3];
      const int i = kIndex[y][x];
      const uint32_t want = expect ? expect(i)
                                   : uint32_t{kColor[i][0]} << 24 | kColor[i][1] << 16 | kColor[i][2] << 8 | 255;
      EXPECT_EQ(got, want) << what << " at (" << x << ", " << y << ")";
    }
}

// Test that palette pictures of 4 and 8 bits come out right, bottom up, top down (a
// negative height), with a 12-byte header and three-byte entries, and with a V5 header.
TEST(BmpDecoderTest, PalettePictures) {
  for (int bits : {4, 8})
    for (bool topDown : {false, true}) {
      Bmp b;
      b.bits = static_cast<uint16_t>(bits);
      b.height = topDown ? -kH : kH;
      b.palette = Palette(4);
      b.colorsUsed = 4;
      b.pixels = IndexRows(bits, topDown);
      ExpectPixels(Decode(b.File()), topDown ? "top down" : "bottom up");
    }
  Bmp core;
  core.headerSize = 12;
  core.palette = Palette(3);
  core.pixels = IndexRows(8, false);
  // A 12-byte header's palette has all 256 entries; ours stops at the pixels.
  ExpectPixels(Decode(core.File()), "12-byte header");
  Bmp v5;
  v5.headerSize = 124;
  v5.palette = Palette(4);
  v5.colorsUsed = 4;
  v5.pixels = IndexRows(8, false);
  ExpectPixels(Decode(v5.File()), "V5 header");
}

// Test that a 1-bit picture takes bit 7 first, and that an index past the palette (two
// entries given) is black.
TEST(BmpDecoderTest, OneBitAndShortPalette) {
  Bmp b;
  b.bits = 1;
  b.palette = Palette(4);
  b.palette.resize(8);
  b.colorsUsed = 2;
  b.pixels = Rows(1, false, [](uint8_t* row, int bit, int index) {
    row[bit / 8] |= static_cast<uint8_t>((index & 1) << (7 - bit % 8));
  });
  ExpectPixels(Decode(b.File()), "1 bit", [](int i) {
    const auto& c = kColor[i & 1];
    return uint32_t{c[0]} << 24 | c[1] << 16 | c[2] << 8 | 255;
  });
  Bmp eight;
  eight.palette = Palette(4);
  eight.palette.resize(8);
  eight.colorsUsed = 2;
  eight.pixels = IndexRows(8, false);
  ExpectPixels(Decode(eight.File()), "short palette", [](int i) {
    if (i >= 2) return uint32_t{255};
    const auto& c = kColor[i];
    return uint32_t{c[0]} << 24 | c[1] << 16 | c[2] << 8 | 255;
  });
}

// Test 24 bits (blue first), 32 bits without masks (the fourth byte ignored) and with a
// V4 header, bottom up and top down.
TEST(BmpDecoderTest, DirectColour) {
  for (uint16_t bits : {24, 32})
    for (uint32_t header : {40u, 108u}) {
      Bmp b;
      b.bits = bits;
      b.headerSize = header;
      b.height = header == 108 ? -kH : kH;
      b.pixels = Rows(bits, header == 108, [bits](uint8_t* row, int bit, int i) {
        uint8_t* p = row + bit / 8;
        p[0] = kColor[i][2], p[1] = kColor[i][1], p[2] = kColor[i][0];
        if (bits == 32) p[3] = 0x5A;
      });
      ExpectPixels(Decode(b.File()), bits == 24 ? "24 bits" : "32 bits");
    }
}

// 16-bit colours whose 5- and 6-bit channels widen by repeating their bits: 31 -> 255,
// 16 -> 132, 1 -> 8; 6 bits: 63 -> 255, 32 -> 130.
constexpr uint16_t k555[4] = {0, 31 << 10, 16 << 5 | 1, 31 << 10 | 31 << 5 | 31};
constexpr uint16_t k565[4] = {0, 31 << 11, 32 << 5 | 1, 31 << 11 | 63 << 5 | 31};
constexpr uint32_t k555Want[4] = {0x000000FF, 0xFF0000FF, 0x008408FF, 0xFFFFFFFF};
constexpr uint32_t k565Want[4] = {0x000000FF, 0xFF0000FF, 0x008208FF, 0xFFFFFFFF};

// Test 16 bits: 5-5-5 without masks, 5-6-5 with bit-field masks after a 40-byte header
// and inside a V5 header.
TEST(BmpDecoderTest, SixteenBits) {
  Bmp plain;
  plain.bits = 16;
  plain.pixels = Rows(16, false, [](uint8_t* row, int bit, int i) {
    row[bit / 8] = k555[i] & 255, row[bit / 8 + 1] = k555[i] >> 8;
  });
  ExpectPixels(Decode(plain.File()), "5-5-5", [](int i) { return k555Want[i]; });
  for (uint32_t header : {40u, 124u}) {
    Bmp b;
    b.bits = 16;
    b.headerSize = header;
    b.compression = 3;
    b.masks = {0xF800, 0x07E0, 0x001F};
    b.pixels = Rows(16, false, [](uint8_t* row, int bit, int i) {
      row[bit / 8] = k565[i] & 255, row[bit / 8 + 1] = k565[i] >> 8;
    });
    ExpectPixels(Decode(b.File()), "5-6-5", [](int i) { return k565Want[i]; });
  }
}

// Test 32-bit masks: 10 bits a channel keep their top 8; an alpha mask gives alpha, unless
// every pixel's alpha is 0, which is taken as opaque.
TEST(BmpDecoderTest, WideMasksAndAlpha) {
  Bmp wide;
  wide.bits = 32;
  wide.compression = 3;
  wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  constexpr uint32_t kTen[4] = {0, 1023u << 20, 512u << 10 | 3, 0x3FFFFFFF};
  wide.pixels = Rows(32, false, [&](uint8_t* row, int bit, int i) {
    for (int k = 0; k < 4; ++k) row[bit / 8 + k] = kTen[i] >> (8 * k) & 255;
  });
  ExpectPixels(Decode(wide.File()), "10-10-10", [](int i) {
    constexpr uint32_t kWant[4] = {0x000000FF, 0xFF0000FF, 0x008000FF, 0xFFFFFFFF};
    return kWant[i];
  });
  for (uint8_t alpha : {0, 128}) {
    Bmp v5;
    v5.headerSize = 124;
    v5.bits = 32;
    v5.compression = 3;
    v5.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    v5.pixels = Rows(32, false, [&](uint8_t* row, int bit, int i) {
      uint8_t* p = row + bit / 8;
      p[0] = kColor[i][2], p[1] = kColor[i][1], p[2] = kColor[i][0], p[3] = alpha == 0 ? 0 : i == 1 ? 128 : 255;
    });
    const DecodedPixels d = Decode(v5.File());
    ASSERT_EQ(d.bytes.size(), size_t{kW * kH * 4});
    EXPECT_EQ(d.bytes[1 * 4 + 3], alpha == 0 ? 255 : 128) << "alpha of (1, 0) given " << int(alpha);
    EXPECT_EQ(d.bytes[3 * 4 + 3], 255);
  }
}

constexpr uint32_t kUnset = 0;  // transparent black

uint32_t Rgba(int i) { return uint32_t{kColor[i][0]} << 24 | kColor[i][1] << 16 | kColor[i][2] << 8 | 255; }

void ExpectRows(const DecodedPixels& d, const uint32_t (&want)[kH][kW], const char* what) {
  ASSERT_EQ(d.bytes.size(), size_t{kW * kH * 4}) << what;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint8_t* p = &d.bytes[(y * kW + x) * 4];
      EXPECT_EQ(uint32_t(p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3]), want[y][x])
          << what << " at (" << x << ", " << y << ")";
    }
}

// Test RLE8: runs, a literal run with its padding byte, end of line, a delta that skips
// two pixels (left unset, so transparent), end of picture; rows bottom up.
TEST(BmpDecoderTest, RunLength8) {
  Bmp b;
  b.compression = 1;
  b.palette = Palette(4);
  b.colorsUsed = 4;
  b.pixels = {2, 3, 0, 3, 1, 0, 0, 0, 0, 0,     // bottom row: 3 3 | literal 1 0 0, pad | EOL
              1, 1, 2, 0, 1, 2, 1, 3, 0, 0,     // middle row: 1 | 0 0 | 2 | 3 | EOL
              1, 0, 0, 2, 2, 0, 1, 3, 1, 1,     // top row: 0 | delta (2, 0) | 3 | 1
              0, 1};                            // end of picture
  const uint32_t want[kH][kW] = {{Rgba(0), kUnset, kUnset, Rgba(3), Rgba(1)},
                                 {Rgba(1), Rgba(0), Rgba(0), Rgba(2), Rgba(3)},
                                 {Rgba(3), Rgba(3), Rgba(1), Rgba(0), Rgba(0)}};
  ExpectRows(Decode(b.File()), want, "RLE8");
}

// Test RLE4: runs alternate their two nibbles; a literal run of five pixels takes three
// bytes and a padding byte; a delta moving down leaves the rest of its rows unset; runs
// past the end of a row are cut there.
TEST(BmpDecoderTest, RunLength4) {
  Bmp b;
  b.bits = 4;
  b.compression = 2;
  b.palette = Palette(4);
  b.colorsUsed = 4;
  b.pixels = {2, 0x33, 0, 3, 0x10, 0x00, 0, 0,  // bottom row: 3 3 | literal 1 0 0 | EOL
              1, 0x10, 0, 2, 0, 1,              // middle row: 1 | delta (0, 1): next row
              0, 5, 0x01, 0x23, 0x10, 0x00,     // top row from x = 1: 0 1 2 3 (1 is cut off)
              0, 1};
  const uint32_t want[kH][kW] = {{kUnset, Rgba(0), Rgba(1), Rgba(2), Rgba(3)},
                                 {Rgba(1), kUnset, kUnset, kUnset, kUnset},
                                 {Rgba(3), Rgba(3), Rgba(1), Rgba(0), Rgba(0)}};
  ExpectRows(Decode(b.File()), want, "RLE4");
}

// Test that what cannot be decoded fails instead of reading past the file: cut pixel data,
// compressions that do not fit the bit depth, unknown depths, sizes of 0, pictures larger
// than the caller takes, and every cut of a whole file.
TEST(BmpDecoderTest, Refusals) {
  Bmp good;
  good.palette = Palette(4);
  good.pixels = IndexRows(8, false);
  const std::vector<uint8_t> file = good.File();
  bool ok = false;
  DecodedPixels d;
  EXPECT_FALSE(DecodeBmp(file.data(), file.size(), kW * kH - 1, &d)) << "more pixels than allowed";
  for (size_t n = 0; n + 3 < file.size(); ++n)  // the last row may lack its padding
    EXPECT_FALSE(DecodeBmp(file.data(), n, 1 << 20, &d)) << "cut to " << n << " bytes";
  const auto refused = [&](Bmp b, const char* what) {
    Decode(b.File(), &ok);
    EXPECT_FALSE(ok) << what;
  };
  Bmp b = good;
  b.compression = 2;  // RLE4 on 8 bits
  refused(b, "RLE4 with 8 bits");
  b = good, b.bits = 24, b.compression = 1;
  refused(b, "RLE8 with 24 bits");
  b = good, b.bits = 2;
  refused(b, "2 bits");
  b = good, b.compression = 4;
  refused(b, "embedded JPEG");
  b = good, b.width = 0;
  refused(b, "width 0");
  b = good, b.height = 0;
  refused(b, "height 0");
  b = good, b.headerSize = 64, b.bits = 16, b.compression = 3;
  refused(b, "OS/2 Huffman");
}

}  // namespace
}  // namespace tavimore
