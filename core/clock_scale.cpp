#include "core/clock_scale.h"

namespace tavimore {

int ClampDpi(int dpi) {
  if (dpi < kBaseDpi) return kBaseDpi;
  return dpi > kMaxDpi ? kMaxDpi : dpi;
}

int ScaledOutline(const ClockBuild& build, int dpi, OutlinePiece pieces[kMaxOutlinePieces]) {
  const int count = build.outline(kFaceSize, kFaceSize, pieces);
  for (int i = 0; i < count; ++i) {
    OutlinePiece& p = pieces[i];
    p.left = Scaled(p.left, dpi);
    p.top = Scaled(p.top, dpi);
    p.right = Scaled(p.right, dpi);
    p.bottom = Scaled(p.bottom, dpi);
    p.cornerWidth = Scaled(p.cornerWidth, dpi);
    p.cornerHeight = Scaled(p.cornerHeight, dpi);
  }
  return count;
}

}  // namespace tavimore
