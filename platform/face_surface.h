// The clock's window as a 32-bit bottom-up DIB section that the portable renderer draws into
// and the window copies to the screen: the face in its top-left corner, the window
// background in the column and row beside it, as RenderClockWindow lays them out. Bottom-up,
// so that a face image (bottom row first) is a straight copy, and 32-bit, so its pixels are
// the portable 0x00RRGGBB values.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/pixel_view.h"

namespace tavimore {

struct FaceSurface {
  HDC dc = nullptr;           // memory context holding the bitmap
  HBITMAP bitmap = nullptr;   // the DIB section
  HGDIOBJ previous = nullptr; // what the context held before, put back on destroy
  PixelView view{};           // the bitmap's pixels, top row first
};

// A `size` x `size` surface filled with `background` (a pixel 0x00RRGGBB), which the face
// then covers but for its edge, in place of the one `face` held (if any). False, with
// `face` as it was, when the context or the bitmap cannot be made: a window that cannot
// have its new surface goes on showing its old one.
bool CreateFaceSurface(int size, uint32_t background, FaceSurface* face);
void DestroyFaceSurface(FaceSurface* face);

// Copies the whole surface to (0, 0) of `target`.
void CopyFace(HDC target, const FaceSurface& face);

}  // namespace tavimore
