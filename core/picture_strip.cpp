#include "core/picture_strip.h"

#include "core/jpeg_image_data.h"
#include "core/payload_format.h"
#include "core/png_data_bound.h"

namespace tavimore {
namespace {

StripError CheckSize(int64_t width, int64_t height) {
  if (width != kFaceSize || height <= 0 || height % kFaceSize != 0) return StripError::kWrongSize;
  if (height / kFaceSize > kMaxImages) return StripError::kTooManyFrames;
  return StripError::kNone;
}

}  // namespace

StripError CheckStripHeader(const uint8_t* bytes, size_t size, PictureHeader* header,
                            PictureStrip* out) {
  *header = ReadPictureHeader(bytes, size);
  if (header->kind == PictureKind::kUnknown) return StripError::kNotAPicture;
  out->width = header->width;
  out->height = header->height;
  if (const StripError e = CheckSize(header->width, header->height); e != StripError::kNone) return e;
  if (header->kind == PictureKind::kPng && !PngDataFitsItsSize(bytes, size)) return StripError::kNotAPicture;
  if (header->kind == PictureKind::kJpeg && !JpegImageDataIsWhole(bytes, size)) return StripError::kNotAPicture;
  return StripError::kNone;
}

StripError CutStrip(const DecodedPixels& pixels, PictureStrip* out) {
  out->width = pixels.width;
  out->height = pixels.height;
  if (const StripError e = CheckSize(pixels.width, pixels.height); e != StripError::kNone) return e;
  if (pixels.bytes.size() != static_cast<size_t>(pixels.width) * pixels.height * 4)
    return StripError::kNotAPicture;
  const int red = pixels.order == ChannelOrder::kBgra ? 2 : 0, blue = 2 - red;
  constexpr uint32_t kBackRed = kPictureBoxBackground >> 16 & 0xFF,
                     kBackGreen = kPictureBoxBackground >> 8 & 0xFF, kBackBlue = kPictureBoxBackground & 0xFF;
  const int count = pixels.height / kFaceSize;
  out->images.assign(static_cast<size_t>(count) * kImageValues, 0);
  for (int k = 0; k < count; ++k) {
    uint32_t* block = out->images.data() + static_cast<size_t>(k) * kImageValues;
    for (int y = 0; y < kFaceSize; ++y) {
      const uint8_t* row = pixels.bytes.data() + (static_cast<size_t>(k) * kFaceSize + y) * kFaceSize * 4;
      uint32_t* to = block + (kFaceSize - 1 - y) * kFaceSize;  // bottom row first
      for (int x = 0; x < kFaceSize; ++x, row += 4) {
        const uint32_t r = row[red], g = row[1], b = row[blue], a = row[3];
        if (a == 255) {  // most pixels: laid over anything, an opaque pixel is itself
          to[x] = r << 16 | g << 8 | b;
          continue;
        }
        to[x] = static_cast<uint32_t>(OverBackground(r, a, kBackRed)) << 16 |
                static_cast<uint32_t>(OverBackground(g, a, kBackGreen)) << 8 | OverBackground(b, a, kBackBlue);
      }
    }
  }
  return StripError::kNone;
}

const char* StripErrorText(StripError error) {
  switch (error) {
    case StripError::kNone: return "no error";
    case StripError::kNotAPicture: return "not a picture that can be decoded (BMP, JPEG, GIF or PNG)";
    case StripError::kWrongSize:
      return "the picture must be 80 pixels wide and a multiple of 80 pixels high";
    case StripError::kTooManyFrames: return "the picture holds more than 255 faces of 80 x 80";
  }
  return "unknown error";
}

}  // namespace tavimore
