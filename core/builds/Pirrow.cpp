// The Pirrow clock: a circle, one pixel narrower than the other outlines.
#include "core/clock_build.h"
#include "core/outline.h"

namespace tavimore {
namespace {

const uint8_t kFacePicture[] = {
#include "core/builds/Pirrow_face.inc"
};

int Outline(int w, int h, OutlinePiece* p) {
  p[0] = {PieceKind::kEllipse, 1, 1, w, h, 0, 0};
  return 1;
}

}  // namespace

const ClockBuild kPirrowBuild = {
    "Pirrow",
    {{0x000080, 75}, {0x8000F0, 80}, {0xFF00FF, 90}},
    2, 2,
    Outline,
    kFacePicture, sizeof kFacePicture,
};

}  // namespace tavimore
