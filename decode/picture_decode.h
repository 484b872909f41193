// Decoding a picture file into face images, as the editor and `tavimore build` do it: the
// header is read and the size judged first (core/picture_strip.h); only a picture that can
// be a strip is decoded, by our own BMP decoder or by the system's decoders for JPEG, GIF
// and PNG (decode/system_decoder.h), and then cut into face images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/clock_build.h"
#include "core/decoded_pixels.h"
#include "core/picture_strip.h"

namespace tavimore {

StripError DecodePictureStrip(const uint8_t* bytes, size_t size, PictureStrip* out);

// The build's own face picture as one face image (kImageValues values), for the programs
// other than the Windows clock (which asks the window system's loader); `face` is left
// empty for a build of the plain colour, and for a picture that does not decode.
StripError DecodeBuiltInFace(const ClockBuild& build, std::vector<uint32_t>* face);

// Any picture of at most `maxPixels` pixels, as it is: for tools and tests that read
// pictures other than strips (screenshots, rendered faces).
bool DecodePicturePixels(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPixels* out);

}  // namespace tavimore
