#include "editor/picture_strip.h"

#include <climits>

#include "payload/payload_format.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO  // files are read by the caller
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_FAILURE_STRINGS
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace tavimore {

void CutFaceImages(const uint8_t* rgba, int height, std::vector<uint32_t>* images) {
  const int count = height / kFaceSize;
  images->assign(static_cast<size_t>(count) * kImageValues, 0);
  for (int k = 0; k < count; ++k) {
    uint32_t* block = images->data() + static_cast<size_t>(k) * kImageValues;
    for (int y = 0; y < kFaceSize; ++y) {
      const uint8_t* row = rgba + (static_cast<size_t>(k) * kFaceSize + y) * kFaceSize * 4;
      uint32_t* to = block + (kFaceSize - 1 - y) * kFaceSize;  // bottom row first
      for (int x = 0; x < kFaceSize; ++x, row += 4)
        to[x] = static_cast<uint32_t>(row[0]) << 16 | static_cast<uint32_t>(row[1]) << 8 | row[2];
    }
  }
}

StripError DecodePictureStrip(const uint8_t* bytes, size_t size, PictureStrip* out) {
  if (size == 0 || size > INT_MAX) return StripError::kNotAPicture;
  int w = 0, h = 0, channels = 0;
  const int n = static_cast<int>(size);
  if (!stbi_info_from_memory(bytes, n, &w, &h, &channels)) return StripError::kNotAPicture;
  if (w != kFaceSize || h <= 0 || h % kFaceSize != 0) {
    out->width = w;
    out->height = h;
    return StripError::kWrongSize;
  }
  if (h / kFaceSize > kMaxImages) return StripError::kTooManyFrames;

  int dw = 0, dh = 0;
  stbi_uc* rgba = stbi_load_from_memory(bytes, n, &dw, &dh, &channels, 4);
  if (!rgba) return StripError::kNotAPicture;
  const bool same = dw == w && dh == h;  // the header and the data must agree
  if (same) CutFaceImages(rgba, h, &out->images);
  stbi_image_free(rgba);
  if (!same) return StripError::kNotAPicture;
  out->width = w;
  out->height = h;
  return StripError::kNone;
}

const char* StripErrorText(StripError error) {
  switch (error) {
    case StripError::kNone: return "no error";
    case StripError::kNotAPicture: return "not a picture that can be read (BMP, JPEG, GIF or PNG)";
    case StripError::kWrongSize:
      return "the picture must be 80 pixels wide and a multiple of 80 pixels high";
    case StripError::kTooManyFrames: return "the picture holds more than 255 faces of 80 x 80";
  }
  return "unknown error";
}

}  // namespace tavimore
