// The Varnet clock: a rounded square.
#include "core/clock_build.h"
#include "core/outline.h"

namespace tavimore {
namespace {

const uint8_t kFacePicture[] = {
#include "core/builds/Varnet_face.inc"
};

int Outline(int w, int h, OutlinePiece* p) {
  p[0] = {PieceKind::kRoundRect, 1, 1, w + 1, h + 1, 24, 24};
  return 1;
}

}  // namespace

const ClockBuild kVarnetBuild = {
    "Varnet",
    {{0x103000, 28}, {0x103000, 45}, {0x000000, 55}},
    2, 2,
    Outline,
    kFacePicture, sizeof kFacePicture,
};

}  // namespace tavimore
