#include "platform/window_region.h"

#include "platform/handle_owners.h"

namespace tavimore {
namespace {

HRGN CreatePiece(const OutlinePiece& p) {
  if (p.kind == PieceKind::kEllipse) return CreateEllipticRgn(p.left, p.top, p.right, p.bottom);
  return CreateRoundRectRgn(p.left, p.top, p.right, p.bottom, p.cornerWidth, p.cornerHeight);
}

}  // namespace

bool ApplyWindowRegion(HWND window, const OutlinePiece* pieces, int count) {
  if (count < 1) return false;
  GdiObject<HRGN> outline(CreatePiece(pieces[0]));
  if (!outline.get()) return false;
  for (int i = 1; i < count; ++i) {
    GdiObject<HRGN> piece(CreatePiece(pieces[i]));
    if (!piece.get() || CombineRgn(outline.get(), outline.get(), piece.get(), RGN_OR) == ERROR)
      return false;
  }
  // On success the window system owns the region and frees it with the window.
  if (!SetWindowRgn(window, outline.get(), TRUE)) return false;
  outline.release();
  return true;
}

}  // namespace tavimore
