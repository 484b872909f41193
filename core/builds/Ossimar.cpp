// The Ossimar clock: a circle with four small ellipses at its top, bottom, left and right.
#include "core/clock_build.h"
#include "core/outline.h"

namespace tavimore {
namespace {

const uint8_t kFacePicture[] = {
#include "core/builds/Ossimar_face.inc"
};

int Outline(int w, int h, OutlinePiece* p) {
  // Quarters of the face; NearestHalf(3 * q) is 1.5 quarters, NearestHalf(5 * q) 2.5.
  const int qw = (w + 1) / 4, qh = (h + 1) / 4;
  p[0] = {PieceKind::kEllipse, NearestHalf(3 * qw), 1, NearestHalf(5 * qw), qh, 0, 0};
  p[1] = {PieceKind::kEllipse, NearestHalf(3 * qw), 3 * qh, NearestHalf(5 * qw), 4 * qh, 0, 0};
  p[2] = {PieceKind::kEllipse, 1, NearestHalf(3 * qh), qw, NearestHalf(5 * qh), 0, 0};
  p[3] = {PieceKind::kEllipse, 3 * qw, NearestHalf(3 * qh), 4 * qw, NearestHalf(5 * qh), 0, 0};
  p[4] = {PieceKind::kEllipse, qw, qh, 3 * qw, 3 * qh, 0, 0};
  return 5;
}

}  // namespace

const ClockBuild kOssimarBuild = {
    "Ossimar",
    {{0x103000, 25}, {0x103000, 45}, {0x000000, 80}},
    2, 2,
    Outline,
    kFacePicture, sizeof kFacePicture,
};

}  // namespace tavimore
