#include "core/outline.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/clock_scale.h"

namespace tavimore {
namespace {

struct Mask {
  uint8_t* bits;
  int width, height;

  void Span(int y, int left, int right) {
    if (y < 0 || y >= height) return;
    left = std::max(left, 0);
    right = std::min(right, width);
    for (int x = left; x < right; ++x) bits[y * width + x] = 1;
  }
};

// A round rectangle as the window system's region call makes it. Its rows are spans; the
// rows of the rounded ends are inset by an integer walk along the corner ellipse (a
// midpoint walk over 8x-scaled error terms, in 64 bits so no size overflows).
void AddRoundRect(Mask* m, int left, int top, int right, int bottom, int cw, int ch) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  --right;  // the window system leaves out the right column and the bottom row
  --bottom;
  cw = std::min(right - left, std::abs(cw));
  ch = std::min(bottom - top, std::abs(ch));
  if (cw < 2 || ch < 2) {
    for (int y = top; y < bottom; ++y) m->Span(y, left, right);
    return;
  }

  // inset[k]: how far row k of the corner ellipse (k = ch/2 .. ch-1, the lower half) lies
  // inside the rectangle's sides; the upper half mirrors it.
  int inset[kMaxWindowSize + 2] = {};
  if (ch > static_cast<int>(sizeof inset / sizeof inset[0])) return;  // beyond any window
  const int a = cw - 1, b = ch - 1;
  const int64_t asq = int64_t{8} * a * a, bsq = int64_t{8} * b * b;
  int64_t dx = int64_t{4} * b * b * (1 - a);
  int64_t dy = int64_t{4} * a * a * (1 + b % 2);
  int64_t err = dx + dy + int64_t{a} * a * (b % 2);
  int x = 0, y = ch / 2;
  while (x <= cw / 2) {
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += bsq;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += asq;
      if (y < ch) inset[y] = x;
    }
  }

  for (int i = 0; i < ch / 2; ++i) m->Span(top + i, left + inset[b - i], right - inset[b - i]);
  // The middle row of the ellipse stretches over the straight part of the sides.
  for (int row = top + ch / 2; row <= bottom - ch + ch / 2; ++row) m->Span(row, left, right);
  for (int i = ch / 2 + 1; i < ch; ++i) m->Span(bottom - ch + i, left + inset[i], right - inset[i]);
}

}  // namespace

int NearestHalf(int num) {
  const int q = num / 2;  // num >= 0 for every outline
  if (num % 2 == 0) return q;
  return q % 2 == 0 ? q : q + 1;
}

void OutlineMask(const OutlinePiece* pieces, int count, uint8_t* mask, int width, int height) {
  std::memset(mask, 0, static_cast<size_t>(width) * height);
  Mask m{mask, width, height};
  for (int i = 0; i < count; ++i) {
    const OutlinePiece& p = pieces[i];
    if (p.kind == PieceKind::kEllipse)
      AddRoundRect(&m, p.left, p.top, p.right, p.bottom, p.right - p.left, p.bottom - p.top);
    else
      AddRoundRect(&m, p.left, p.top, p.right, p.bottom, p.cornerWidth, p.cornerHeight);
  }
}

void BuildOutlineMask(const ClockBuild& build, int dpi, uint8_t* mask) {
  OutlinePiece pieces[kMaxOutlinePieces];
  const int n = ScaledOutline(build, dpi, pieces);
  const int size = ScaledWindowSize(dpi);
  OutlineMask(pieces, n, mask, size, size);
}

}  // namespace tavimore
