// A picture box that shows face images (80 x 80 blocks in the payload's layout: bottom row
// first, 0x00RRGGBB, one spare value) stacked from the top down, each enlarged to the face
// at the window's scale as a clock draws its face (EnlargeFace), on the window's face
// colour; centred where the box is larger than the stack. The box only paints; the images
// belong to its owner.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavimore {

// Registers the window class once per process; false when that fails.
bool RegisterFaceStripView(HINSTANCE instance);

// A child window of that class; `style` adds to WS_CHILD (a border, WS_TABSTOP, ...).
HWND CreateFaceStripView(HWND parent, int id, int x, int y, int width, int height, DWORD style);

// Shows `count` blocks read from `blocks` (kept by the owner, unchanged until the next
// call) at `dpi`, each ScaledFaceSize(dpi) square; a count of 0 shows nothing. Repaints
// the box.
void ShowFaces(HWND view, const uint32_t* blocks, int count, int dpi);

}  // namespace tavimore
