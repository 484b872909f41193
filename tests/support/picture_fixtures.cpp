#include "picture_fixtures.h"

#include <gif_lib.h>

#include <algorithm>
#include <utility>

#include "decode/picture_decode.h"
#include "tools/picture_encode.h"

namespace tavimore::test {

uint32_t Image::Rgb(int x, int y) const {
  const uint8_t* p = &bytes[(size_t(y) * width + x) * channels];
  return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
}

// Red, green and blue differ from each other and from frame to frame, wrapping only after
// 256 frames.
uint32_t FrameBackground(int frame) {
  return uint32_t(0x20 + frame) % 256 << 16 | uint32_t(0x90 + 3 * frame) % 256 << 8 |
         uint32_t(0xE0 - frame) % 256;
}
uint32_t FrameMarker(int frame) { return 0xF00000u | uint32_t(frame % 256) << 8 | 0x40; }

Image MakeStrip(int width, int height) {
  Image p{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int frame = y / 80;
      const bool marker = x < 10 && y % 80 < 10;  // the top-left 10 x 10 pixels
      const uint32_t c = marker ? FrameMarker(frame) : FrameBackground(frame);
      uint8_t* px = &p.bytes[(size_t(y) * width + x) * 3];
      px[0] = uint8_t(c >> 16), px[1] = uint8_t(c >> 8), px[2] = uint8_t(c);
    }
  return p;
}

std::vector<uint8_t> EncodePng(const Image& p) {
  return tavimore::EncodePng(p.bytes.data(), p.width, p.height, p.channels);
}

std::vector<uint8_t> EncodeBmp(const Image& p) {
  return tavimore::EncodeBmp(p.bytes.data(), p.width, p.height, p.channels);
}

std::vector<uint8_t> EncodeGif(int width, int height, const std::vector<GifTestFrame>& frames) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* b, int n) {
    auto* o = static_cast<std::vector<uint8_t>*>(g->UserData);
    o->insert(o->end(), b, b + n);
    return n;
  }, &error);
  GifColorType colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  ColorMapObject* map = GifMakeMapObject(4, colors);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, width, height, 2, 0, map);
  for (const GifTestFrame& f : frames) {
    const GifByteType control[4] = {
        GifByteType(f.disposal << 2 | (f.transparent >= 0 ? 1 : 0)), 0, 0,
        GifByteType(f.transparent >= 0 ? f.transparent : 0)};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, nullptr);
    std::vector<GifPixelType> pixels(f.indexes.begin(), f.indexes.end());
    EGifPutLine(gif, pixels.data(), int(pixels.size()));
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

size_t JpegScanData(const std::vector<uint8_t>& jpeg) {
  const uint8_t start[] = {0xFF, 0xDA};
  const size_t at = std::search(jpeg.begin(), jpeg.end(), start, start + 2) - jpeg.begin();
  return at + 4 > jpeg.size() ? jpeg.size() : at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
}

bool DecodePicture(const std::vector<uint8_t>& bytes, Image* out) {
  constexpr int64_t kMostPixels = 16 << 20;  // far more than any picture the tools write
  DecodedPixels pixels;
  if (!DecodePicturePixels(bytes.data(), bytes.size(), kMostPixels, &pixels)) return false;
  out->width = pixels.width;
  out->height = pixels.height;
  out->channels = 4;
  out->bytes = std::move(pixels.bytes);
  return true;
}

std::vector<uint8_t> PatternPixels(int width, int height, int channels) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c)
        pixels[(static_cast<size_t>(y) * width + x) * channels + c] =
            static_cast<uint8_t>(c == 0 ? x * 3 : c == 1 ? y : c == 2 ? x ^ y : 255 - x);
  return pixels;
}

}  // namespace tavimore::test
