#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavimore
