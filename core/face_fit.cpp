#include "core/face_fit.h"

#include "core/picture_strip.h"

namespace tavimore {
namespace {

// Weights are counted in 80ths of a picture pixel: face pixel i covers the picture's
// [i * size, (i + 1) * size) in those units, so every weight is a whole number and the
// weights under one face pixel add up to `size` along each axis.
int Weight(int facePixel, int picturePixel, int size) {
  const int lo = picturePixel * kFaceSize > facePixel * size ? picturePixel * kFaceSize : facePixel * size;
  const int hiPicture = (picturePixel + 1) * kFaceSize, hiFace = (facePixel + 1) * size;
  const int hi = hiPicture < hiFace ? hiPicture : hiFace;
  return hi > lo ? hi - lo : 0;
}

// The first and last picture pixel (from the square's edge) under face pixel i.
int FirstUnder(int i, int size) { return i * size / kFaceSize; }
int LastUnder(int i, int size) { return ((i + 1) * size - 1) / kFaceSize; }

// One picture pixel laid over the picture box's background, as 0x00RRGGBB.
uint32_t Over(const uint8_t* p, int red) {
  const uint32_t r = p[red], g = p[1], b = p[2 - red], a = p[3];
  if (a == 255) return r << 16 | g << 8 | b;
  return static_cast<uint32_t>(OverBackground(r, a, kPictureBoxBackground >> 16 & 0xFF)) << 16 |
         static_cast<uint32_t>(OverBackground(g, a, kPictureBoxBackground >> 8 & 0xFF)) << 8 |
         OverBackground(b, a, kPictureBoxBackground & 0xFF);
}

}  // namespace

FaceSquare CentredSquare(int width, int height) {
  const int size = width < height ? width : height;
  return FaceSquare{(width - size) / 2, (height - size) / 2, size};
}

bool SquareInside(const FaceSquare& s, int width, int height) {
  return s.size >= 1 && s.left >= 0 && s.top >= 0 && s.left <= width - s.size &&
         s.top <= height - s.size;
}

bool FitFace(const DecodedPixels& pixels, const FaceSquare& square, uint32_t face[kImageValues]) {
  if (pixels.width < 1 || pixels.height < 1 ||
      pixels.bytes.size() != static_cast<size_t>(pixels.width) * pixels.height * 4 ||
      !SquareInside(square, pixels.width, pixels.height))
    return false;
  const int size = square.size, red = pixels.order == ChannelOrder::kBgra ? 2 : 0;
  // 64 bits: a sum is at most 255 * size^2, and a square may be as large as a picture.
  const uint64_t total = static_cast<uint64_t>(size) * size;
  for (int j = 0; j < kFaceSize; ++j) {
    uint64_t sums[kFaceSize][3] = {};
    for (int y = FirstUnder(j, size); y <= LastUnder(j, size); ++y) {
      const uint64_t wy = Weight(j, y, size);
      const uint8_t* row = pixels.bytes.data() +
                           (static_cast<size_t>(square.top + y) * pixels.width + square.left) * 4;
      for (int i = 0; i < kFaceSize; ++i) {
        for (int x = FirstUnder(i, size); x <= LastUnder(i, size); ++x) {
          const uint32_t c = Over(row + static_cast<size_t>(x) * 4, red);
          const uint64_t w = wy * Weight(i, x, size);
          sums[i][0] += w * (c >> 16);
          sums[i][1] += w * (c >> 8 & 0xFF);
          sums[i][2] += w * (c & 0xFF);
        }
      }
    }
    uint32_t* to = face + (kFaceSize - 1 - j) * kFaceSize;  // bottom row first
    for (int i = 0; i < kFaceSize; ++i)
      to[i] = static_cast<uint32_t>((sums[i][0] + total / 2) / total) << 16 |
              static_cast<uint32_t>((sums[i][1] + total / 2) / total) << 8 |
              static_cast<uint32_t>((sums[i][2] + total / 2) / total);
  }
  face[kFacePixels] = 0;
  return true;
}

}  // namespace tavimore
