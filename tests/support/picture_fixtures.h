// The pictures the command-line tests and the fuzzers' seeds are made from, built in memory
// to expose faults: every frame of a strip has its own colour with three distinct channels
// and a marker of yet another colour in its top-left corner, so that a flipped row order,
// swapped channels or frames taken in the wrong order all change what a test sees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavimore::test {

// A picture, top row first, `channels` bytes a pixel: red, green, blue and maybe alpha.
struct Image {
  int width = 0, height = 0, channels = 3;
  std::vector<uint8_t> bytes;
  uint32_t Rgb(int x, int y) const;  // 0xRRGGBB
  uint8_t Alpha(int x, int y) const { return bytes[(size_t(y) * width + x) * channels + 3]; }
};

uint32_t FrameBackground(int frame);  // 0xRRGGBB of frame `frame`, from 0
uint32_t FrameMarker(int frame);      // of its top-left 10 x 10 pixels

// `width` x `height` RGB pixels cut into 80-pixel-high frames coloured as above.
Image MakeStrip(int width, int height);
std::vector<uint8_t> EncodePng(const Image& image);
std::vector<uint8_t> EncodeBmp(const Image& image);
// A GIF frame of palette indexes (0 red, 1 green, 2 blue, 3 white), top row first, with
// its disposal method (0 to 3) and transparent index (-1 for none).
struct GifTestFrame {
  int left, top, width, height, disposal, transparent;
  std::vector<uint8_t> indexes;
};
std::vector<uint8_t> EncodeGif(int width, int height, const std::vector<GifTestFrame>& frames);
// Where a JPEG's first scan data begins, for one without metadata (no FF DA in its tables).
size_t JpegScanData(const std::vector<uint8_t>& jpeg);
// Any picture the command line reads (PNG, GIF, ...), as RGBA.
bool DecodePicture(const std::vector<uint8_t>& bytes, Image* out);

// `width` x `height` pixels of `channels` bytes (1: grey; 3: RGB; 4: RGBA), each channel a
// different pattern of x and y, so that no picture collapses into runs of equal bytes.
std::vector<uint8_t> PatternPixels(int width, int height, int channels);

}  // namespace tavimore::test
