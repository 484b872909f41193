#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/picture_header.h"

namespace tavimore {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Segment(uint8_t marker, const Bytes& body) {
  Bytes s = {0xFF, marker, static_cast<uint8_t>((body.size() + 2) >> 8),
             static_cast<uint8_t>(body.size() + 2)};
  s.insert(s.end(), body.begin(), body.end());
  return s;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// A frame header: precision 8, height, width, one component.
Bytes Frame(uint8_t marker, int width, int height) {
  return Segment(marker, {8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8),
                          uint8_t(width), 1, 1, 0x11, 0});
}

PictureHeader Read(const Bytes& b) { return ReadPictureHeader(b.data(), b.size()); }

// Test that a JPEG's size comes from its frame header, found by walking the segments: a
// colour profile holding the bytes of a Huffman table marker (FF C4) and of a frame
// header, an Exif thumbnail with a whole small JPEG inside and a comment are all skipped.
TEST(PictureHeaderTest, JpegSizeBehindMetadata) {
  const Bytes thumbnail = Join({{0xFF, 0xD8}, Frame(0xC0, 16, 16), {0xFF, 0xD9}});
  Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
  exif.insert(exif.end(), thumbnail.begin(), thumbnail.end());
  const Bytes profile = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1,
                         0xFF, 0xC4, 0x00, 0x20, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x10};
  const Bytes comment = {'m', 'a', 'd', 'e', 0xFF, 0xC2};
  for (uint8_t sof : {0xC0, 0xC1, 0xC2}) {  // baseline, extended, progressive
    const Bytes jpeg = Join({{0xFF, 0xD8}, Segment(0xE1, exif), Segment(0xE2, profile),
                             Segment(0xFE, comment), {0xFF, 0xFF}, Segment(0xC4, {0, 1, 2}),
                             Frame(sof, 80, 160), Segment(0xDA, {1})});
    const PictureHeader h = Read(jpeg);
    EXPECT_EQ(h.kind, PictureKind::kJpeg);
    EXPECT_EQ(h.width, 80) << "SOF " << int(sof);
    EXPECT_EQ(h.height, 160) << "SOF " << int(sof);
  }
  // Image data before any frame header, a segment running past the end: no size.
  EXPECT_EQ(Read(Join({{0xFF, 0xD8}, Segment(0xDA, {1}), Frame(0xC0, 80, 80)})).kind,
            PictureKind::kUnknown);
  Bytes cut = Join({{0xFF, 0xD8}, Frame(0xC0, 80, 80)});
  cut.resize(cut.size() - 3);
  EXPECT_EQ(Read(cut).kind, PictureKind::kUnknown);
}

// Test the other three kinds, a top-down BMP giving its height as a positive number, and
// headers cut short.
TEST(PictureHeaderTest, BmpGifPng) {
  Bytes bmp(54);
  bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[18] = 80;
  bmp[22] = 0x60, bmp[23] = 0xFF, bmp[24] = 0xFF, bmp[25] = 0xFF;  // -160
  PictureHeader h = Read(bmp);
  EXPECT_EQ(h.kind, PictureKind::kBmp);
  EXPECT_EQ(h.width, 80);
  EXPECT_EQ(h.height, 160);
  Bytes core(26);
  core[0] = 'B', core[1] = 'M', core[14] = 12, core[18] = 80, core[20] = 0x40, core[21] = 1;
  h = Read(core);
  EXPECT_EQ(h.width, 80);
  EXPECT_EQ(h.height, 320);

  const std::string gif = std::string("GIF89a") + '\x50' + '\0' + '\xA0' + '\0';
  h = Read(Bytes(gif.begin(), gif.end()));
  EXPECT_EQ(h.kind, PictureKind::kGif);
  EXPECT_EQ(h.width, 80);
  EXPECT_EQ(h.height, 160);

  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
               0, 0, 0, 80, 0, 0, 0x4F, 0xB0};
  h = Read(png);
  EXPECT_EQ(h.kind, PictureKind::kPng);
  EXPECT_EQ(h.width, 80);
  EXPECT_EQ(h.height, 20400);

  for (Bytes b : {bmp, png, Bytes(gif.begin(), gif.end())}) {
    b.resize(b.size() == 54 ? 25 : b.size() - 1);
    EXPECT_EQ(Read(b).kind, PictureKind::kUnknown) << "cut to " << b.size();
  }
}

}  // namespace
}  // namespace tavimore
