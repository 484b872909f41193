// Any picture as a clock face: a square of it, the largest centred one unless the user
// moved or sized it, made 80 x 80 by area averaging. Every face pixel is the mean of the
// picture's pixels under it, each weighted by how much of it the face pixel covers, so a
// photo of thousands of pixels becomes a face without the shimmer of picking pixels, and
// a square smaller than 80 is enlarged with the same rule. The mean is taken of the
// stored (sRGB-encoded) values, as EnlargeFace does when it enlarges faces for a screen,
// not in linear light: one rule for every scaling a face goes through, and the one image
// programs use when they make a picture smaller.
//
// Transparent and half-transparent pixels are laid over the picture box's background
// first, as a strip's are (core/picture_strip.h), so a fitted face of an 80 x 80 square is
// exactly what the strip of the same 80 x 80 picture gives.
#pragma once

#include <cstdint>

#include "core/decoded_pixels.h"
#include "core/payload_format.h"

namespace tavimore {

struct FaceSquare {
  int left, top, size;  // in the picture's pixels
};

// The largest square centred on a picture of `width` x `height` (the odd pixel of a centred
// difference left on the right or the bottom).
FaceSquare CentredSquare(int width, int height);

// True for a square of at least one pixel that lies wholly in the picture.
bool SquareInside(const FaceSquare& square, int width, int height);

// The face image (kImageValues values, bottom row first, 0x00RRGGBB, the spare value 0, as
// CutStrip makes them) of `square` of `pixels`. False, and the face untouched, for a square
// that is not inside the picture or pixels whose bytes do not match their size.
bool FitFace(const DecodedPixels& pixels, const FaceSquare& square, uint32_t face[kImageValues]);

}  // namespace tavimore
