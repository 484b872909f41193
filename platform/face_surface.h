// The clock's face: a 32-bit bottom-up DIB section that the portable renderer draws into
// and the window copies to the screen. Bottom-up, so that a face image (bottom row first)
// is a straight copy, and 32-bit, so its pixels are the portable 0x00RRGGBB values.
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

// False, with nothing left to destroy, when the context or the bitmap cannot be made.
bool CreateFaceSurface(int width, int height, FaceSurface* face);
void DestroyFaceSurface(FaceSurface* face);

// Copies the face to (0, 0) of `target`.
void CopyFace(HDC target, const FaceSurface& face);

// Paints the window's `size` x `size` client area: the face at (0, 0), `background` (a
// pixel 0x00RRGGBB) in the rest.
void PaintFace(HDC target, const FaceSurface& face, int size, uint32_t background);

}  // namespace tavimore
