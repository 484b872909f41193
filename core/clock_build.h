// What differs between the five clock builds: default hands, where the hands start, the
// window outline and the built-in face picture. Each build is one unit in core/builds/;
// a clock program links exactly one, the command line links all five.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/payload_format.h"

namespace tavimore {

// A piece of a window outline, in window pixels (frame included). The rectangle is given
// as the window system's region calls take it: left and top inclusive, right and bottom
// exclusive; an ellipse fills that rectangle.
enum class PieceKind : uint8_t { kEllipse, kRoundRect };
struct OutlinePiece {
  PieceKind kind;
  int left, top, right, bottom;
  int cornerWidth, cornerHeight;  // round rectangles only
};
constexpr int kMaxOutlinePieces = 5;

struct ClockBuild {
  const char* name;
  Hand defaults[kHandCount];  // hour, minute, second
  // The second hand starts at (W * centreX / 4, H * centreY / 4) of a W x H face; the
  // other two hands one pixel left of and above it.
  int centreX, centreY;
  // Fills `pieces` with the outline of a W x H face, in the order they are joined, and
  // returns how many there are.
  int (*outline)(int w, int h, OutlinePiece* pieces);
  // The built-in face picture as GIF bytes; null for builds whose face is plain colour.
  const uint8_t* picture;
  size_t pictureSize;
};

// kVarnetBuild, kOssimarBuild, ...: one for each build in all_builds.inc.
#define TAVIMORE_BUILD(name) extern const ClockBuild k##name##Build;
#include "core/builds/all_builds.inc"
#undef TAVIMORE_BUILD

// Window size of every build: the 80 x 80 face and a pixel on each side.
constexpr int kWindowSize = kFaceSize + 2;
constexpr int kWindowPixels = kWindowSize * kWindowSize;

// The plain face of builds without a picture, a light pink, as a pixel 0x00RRGGBB.
constexpr uint32_t kPlainFacePixel = 0x00FFC0C0;
// What the window shows outside the face area (the right column and bottom row inside
// the outline): the usual window-background grey, as a pixel.
constexpr uint32_t kWindowBackgroundPixel = 0x00F0F0F0;

}  // namespace tavimore
