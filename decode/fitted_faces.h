// A list of any pictures as a clock's faces, in order, as `tavimore build --fit` makes
// them:
//   - a GIF of two or more frames gives one face per frame, each frame composed as a
//     browser shows it and fitted (core/face_fit.h) with the same square;
//   - a picture that already is a strip (80 wide, a whole multiple of 80 high, one frame),
//     given no square, gives its faces exactly as the strip path does;
//   - any other picture gives one face, of the square given or its centred one.
// The faces are counted from the headers and the GIFs' records before anything is decoded,
// so a list of too many faces is refused at once and the refusal can say how many.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/face_fit.h"

namespace tavimore {

// The largest picture fitted, in pixels: more than the 50 megapixels of the largest photos
// phones take, and at four bytes a pixel a bound on what one decoded picture may cost.
constexpr int64_t kMaxFitPixels = 64 * 1024 * 1024;

struct FitPicture {
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  bool squareGiven = false;
  FaceSquare square;  // in the picture's pixels, when given
};

enum class FitError {
  kNone = 0,
  kNotAPicture,    // not a BMP, JPEG, GIF or PNG, or one that cannot be decoded
  kTooLarge,       // more than kMaxFitPixels pixels
  kSquareOutside,  // the square given does not lie inside the picture
  kTooManyFaces,   // more than 255 faces in all
};

struct FitProblem {
  size_t picture = 0;          // which picture, from 0 (not for kTooManyFaces)
  int64_t width = 0, height = 0;  // its size, where its header was read
  int64_t faces = 0;           // for kTooManyFaces, how many the list gives
};

// Appends the faces (kImageValues values each, as CutStrip makes them) to `images`. On
// failure `images` holds what it held before and `problem` says where.
FitError FitFaces(const std::vector<FitPicture>& pictures, std::vector<uint32_t>* images,
                  FitProblem* problem);

}  // namespace tavimore
