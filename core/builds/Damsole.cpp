// The Damsole clock: a circle at the top left on an L-shaped rounded base; the dial sits in the upper-left quarter.
#include "core/clock_build.h"
#include "core/outline.h"

namespace tavimore {
namespace {

int Outline(int w, int h, OutlinePiece* p) {
  // Quarters of the face; NearestHalf(3 * q) is 1.5 quarters, NearestHalf(5 * q) 2.5.
  const int qw = (w + 1) / 4, qh = (h + 1) / 4;
  p[0] = {PieceKind::kEllipse, 1, 1, 2 * qw, 2 * qh, 0, 0};
  p[1] = {PieceKind::kRoundRect, 1, 2 * qh, w + 1, h + 1, 16, 16};
  p[2] = {PieceKind::kRoundRect, 2 * qw, 1, w + 1, h + 1, 16, 16};
  return 3;
}

}  // namespace

const ClockBuild kDamsoleBuild = {
    "Damsole",
    {{0x103000, 20}, {0x103000, 30}, {0x000000, 40}},
    1, 1,
    Outline,
    nullptr, 0,
};

}  // namespace tavimore
