// A face picture strip: a picture 80 pixels wide and a whole multiple of 80 pixels high,
// whose 80 x 80 squares from the top down are a clock's face images 1, 2, ...
//
// The core does not decode pictures; the programs do, with the decoders of the system they
// run on (decode/picture_decode.h). What every program shares is here: the size check,
// made from the file's header before anything is decoded, and the cutting of decoded
// pixels into face images.
//
// Transparent and half-transparent pixels are laid over the picture box's background, the
// colour kPictureBoxBackground, as the editor shows the strip in its picture boxes: each
// channel becomes (c * a + background * (255 - a) + 127) / 255 for alpha a.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/decoded_pixels.h"
#include "core/picture_header.h"

namespace tavimore {

// The editor's picture boxes are painted in Windows' standard 3D face colour, fixed here
// rather than taken from the desktop theme, so one picture always gives the same clock.
constexpr uint32_t kPictureBoxBackground = 0x00F0F0F0;  // 0x00RRGGBB

enum class StripError {
  kNone = 0,
  kNotAPicture,    // not a BMP, JPEG, GIF or PNG, or one that cannot be decoded
  kWrongSize,      // not 80 wide, or the height not a positive multiple of 80
  kTooManyFrames,  // more than 255 squares: the count would not fit its byte
};

struct PictureStrip {
  int64_t width = 0;  // as the header gives them, also when the size is refused
  int64_t height = 0;
  // (height / 80) face images of kImageValues values each, top square first: bottom row
  // first, 0x00RRGGBB, the spare value 0.
  std::vector<uint32_t> images;
};

// Reads the header and judges the size, for a PNG how much image data it holds
// (core/png_data_bound.h) and for a JPEG whether its image data is all there
// (core/jpeg_image_data.h). kNone: `header` says which decoder to use and the
// picture can be a strip; `out` carries the size in every case the header was read.
StripError CheckStripHeader(const uint8_t* bytes, size_t size, PictureHeader* header,
                            PictureStrip* out);

// Cuts decoded pixels into face images, laying them over the background. The size must be
// one CheckStripHeader accepts.
StripError CutStrip(const DecodedPixels& pixels, PictureStrip* out);

// One channel of a pixel with alpha `alpha` laid over one of the background.
inline uint8_t OverBackground(uint32_t channel, uint32_t alpha, uint32_t background) {
  return static_cast<uint8_t>((channel * alpha + background * (255 - alpha) + 127) / 255);
}

const char* StripErrorText(StripError error);

}  // namespace tavimore
