#include <gtest/gtest.h>

#include <utility>

#include "decode/picture_decode.h"
#include "core/payload_format.h"
#include "test_pictures.h"

namespace tavimore {
namespace {

using test::EncodeBmp;
using test::EncodePng;
using test::MarkedPixel;
using test::MarkedStrip;

StripError Decode(const std::vector<uint8_t>& bytes, PictureStrip* strip) {
  return DecodePictureStrip(bytes.data(), bytes.size(), strip);
}

// Test that frames come out top frame first, each bottom row first, red in bits 16..23.
TEST(PictureStripTest, FramesRowsAndChannels) {
  for (const auto& file : {EncodePng(MarkedStrip(3)), EncodeBmp(MarkedStrip(3))}) {
    PictureStrip strip;
    ASSERT_EQ(Decode(file, &strip), StripError::kNone);
    ASSERT_EQ(strip.images.size(), 3u * kImageValues);
    for (int k = 0; k < 3; ++k) {
      const uint32_t* img = strip.images.data() + k * kImageValues;
      EXPECT_EQ(img[6320], MarkedPixel(k, 0, 0)) << "top-left of frame " << k;
      EXPECT_EQ(img[0], MarkedPixel(k, 0, 79)) << "bottom-left of frame " << k;
      EXPECT_EQ(img[6399], MarkedPixel(k, 79, 0)) << "top-right of frame " << k;
      EXPECT_EQ(img[kFacePixels], 0u) << "spare value of frame " << k;
    }
  }
}

TEST(PictureStripTest, SizesThatCannotBeAStrip) {
  struct Case {
    int width, height;
    StripError expected;
  };
  const Case cases[] = {
      {80, 80, StripError::kNone},      {80, 240, StripError::kNone},
      {160, 80, StripError::kWrongSize}, {80, 100, StripError::kWrongSize},
      {79, 80, StripError::kWrongSize},  {80, 79, StripError::kWrongSize},
      {80, 80 * 255, StripError::kNone}, {80, 80 * 256, StripError::kTooManyFrames},
  };
  for (const Case& c : cases) {
    test::Rgba p{c.width, c.height, std::vector<uint8_t>(static_cast<size_t>(c.width) * c.height * 4, 7)};
    PictureStrip strip;
    EXPECT_EQ(Decode(EncodePng(p), &strip), c.expected) << c.width << "x" << c.height;
  }
}

// Test that the size is judged from the header alone: pictures whose data is missing are
// refused for their size, which only the header can have told.
TEST(PictureStripTest, SizeIsCheckedBeforeDecoding) {
  std::vector<uint8_t> png = EncodePng(MarkedStrip(1));
  png.resize(33);  // signature and header chunk only
  PictureStrip strip;
  png[19] = 81;  // width 81
  EXPECT_EQ(Decode(png, &strip), StripError::kWrongSize);
  png[19] = 80;
  png[22] = 0x5D;  // height 0x5DC0: 300 frames
  png[23] = 0xC0;
  EXPECT_EQ(Decode(png, &strip), StripError::kTooManyFrames);
}

TEST(PictureStripTest, WhatIsNotAPicture) {
  PictureStrip strip;
  EXPECT_EQ(Decode({}, &strip), StripError::kNotAPicture);
  const std::string text = "This is a text file, not a picture.";
  EXPECT_EQ(Decode(std::vector<uint8_t>(text.begin(), text.end()), &strip), StripError::kNotAPicture);
  std::vector<uint8_t> cut = EncodePng(MarkedStrip(2));
  cut.resize(cut.size() / 2);
  EXPECT_EQ(Decode(cut, &strip), StripError::kNotAPicture);
}

// Test that decoded pixels in either channel order give the same faces, laid over the
// picture box's background by their alpha: opaque as they are, clear as the background,
// half clear in between (worked out by hand).
TEST(PictureStripTest, ChannelOrderAndAlpha) {
  DecodedPixels rgba{80, 80, ChannelOrder::kRgba, std::vector<uint8_t>(80 * 80 * 4)};
  const uint8_t top[3][4] = {{250, 5, 128, 255}, {250, 5, 128, 0}, {100, 50, 0, 128}};
  for (int x = 0; x < 3; ++x)
    for (int c = 0; c < 4; ++c) rgba.bytes[x * 4 + c] = top[x][c];
  DecodedPixels bgra = rgba;
  bgra.order = ChannelOrder::kBgra;
  for (size_t i = 0; i < bgra.bytes.size(); i += 4) std::swap(bgra.bytes[i], bgra.bytes[i + 2]);
  PictureStrip a, b;
  ASSERT_EQ(CutStrip(rgba, &a), StripError::kNone);
  ASSERT_EQ(CutStrip(bgra, &b), StripError::kNone);
  EXPECT_EQ(a.images, b.images);
  const uint32_t* topRow = a.images.data() + 79 * 80;
  EXPECT_EQ(topRow[0], 0xFA0580u);
  EXPECT_EQ(topRow[1], kPictureBoxBackground);
  EXPECT_EQ(topRow[2], 0xAA9178u);  // (100, 50, 0) at 128 over 240: (170, 145, 120)
  EXPECT_EQ(topRow[3], kPictureBoxBackground);  // alpha 0 everywhere else
  EXPECT_EQ(a.images[kFacePixels], 0u);
  rgba.bytes.pop_back();
  EXPECT_EQ(CutStrip(rgba, &a), StripError::kNotAPicture) << "pixels missing";
}

}  // namespace
}  // namespace tavimore
