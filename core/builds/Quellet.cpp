// The Quellet clock: two small ellipses over a large one on a rounded base; the dial sits low.
#include "core/clock_build.h"
#include "core/outline.h"

namespace tavimore {
namespace {

int Outline(int w, int h, OutlinePiece* p) {
  // Quarters of the face; NearestHalf(3 * q) is 1.5 quarters, NearestHalf(5 * q) 2.5.
  const int qw = (w + 1) / 4, qh = (h + 1) / 4;
  p[0] = {PieceKind::kEllipse, 1, 1, NearestHalf(3 * qw), 2 * qh, 0, 0};
  p[1] = {PieceKind::kEllipse, NearestHalf(5 * qw), 1, w + 1, 2 * qh, 0, 0};
  p[2] = {PieceKind::kEllipse, 1, qh, w + 1, h + 1, 0, 0};
  p[3] = {PieceKind::kRoundRect, 1, 2 * qh, w + 1, h + 1, 16, 16};
  return 4;
}

}  // namespace

const ClockBuild kQuelletBuild = {
    "Quellet",
    {{0x103000, 20}, {0x103000, 30}, {0x000000, 40}},
    2, 3,
    Outline,
    nullptr, 0,
};

}  // namespace tavimore
