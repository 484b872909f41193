#include "decode/picture_decode.h"

#include "core/bmp_decoder.h"
#include "core/gif_frame.h"
#include "decode/system_decoder.h"

namespace tavimore {
namespace {

bool Decode(const PictureHeader& header, const uint8_t* bytes, size_t size, DecodedPixels* out) {
  const int width = static_cast<int>(header.width), height = static_cast<int>(header.height);
  // The first frame must be whole and of a size worth decoding, whichever decoder reads it.
  GifFrame frame;
  if (header.kind == PictureKind::kGif && !FindGifFirstFrame(bytes, size, &frame)) return false;
  const bool decoded = header.kind == PictureKind::kBmp
                           ? DecodeBmp(bytes, size, int64_t{width} * height, out)
                           : DecodeWithSystem(header.kind, bytes, size, width, height, out);
  return decoded && out->width == width && out->height == height;
}

}  // namespace

StripError DecodePictureStrip(const uint8_t* bytes, size_t size, PictureStrip* out) {
  PictureHeader header;
  if (const StripError e = CheckStripHeader(bytes, size, &header, out); e != StripError::kNone)
    return e;
  DecodedPixels pixels;
  if (!Decode(header, bytes, size, &pixels)) return StripError::kNotAPicture;
  return CutStrip(pixels, out);
}

StripError DecodeBuiltInFace(const ClockBuild& build, std::vector<uint32_t>* face) {
  face->clear();
  if (!build.picture) return StripError::kNone;
  PictureStrip strip;
  const StripError e = DecodePictureStrip(build.picture, build.pictureSize, &strip);
  if (e != StripError::kNone) return e;
  strip.images.resize(kImageValues);  // the picture is one face; more would be ignored
  face->swap(strip.images);
  return StripError::kNone;
}

bool DecodePicturePixels(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPixels* out) {
  const PictureHeader header = ReadPictureHeader(bytes, size);
  if (header.kind == PictureKind::kUnknown || header.width <= 0 || header.height <= 0 ||
      header.width > maxPixels / header.height)
    return false;
  return Decode(header, bytes, size, out);
}

}  // namespace tavimore
