// A face picture strip: a picture 80 pixels wide and a whole multiple of 80 pixels high,
// whose 80 x 80 squares from the top down are a clock's face images 1, 2, ...
//
// Pictures are decoded with one decoder on every platform (BMP, JPEG, GIF and PNG; the
// first frame of an animated GIF), so the same file always gives the same face images.
// The size is checked from the picture's header before anything is decoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavimore {

enum class StripError {
  kNone = 0,
  kNotAPicture,    // not a picture the decoder reads, or a damaged one
  kWrongSize,      // not 80 wide, or the height not a positive multiple of 80
  kTooManyFrames,  // more than 255 squares: the count would not fit its byte
};

struct PictureStrip {
  int width = 0;
  int height = 0;
  // (height / 80) face images of kImageValues values each, top square first: bottom row
  // first, 0x00RRGGBB, the spare value 0.
  std::vector<uint32_t> images;
};

StripError DecodePictureStrip(const uint8_t* bytes, size_t size, PictureStrip* out);

// Cuts the face images out of decoded RGBA pixels (top row first) of an 80-pixel-wide
// picture whose height is a multiple of 80. Alpha is ignored.
void CutFaceImages(const uint8_t* rgba, int height, std::vector<uint32_t>* images);

const char* StripErrorText(StripError error);

}  // namespace tavimore
