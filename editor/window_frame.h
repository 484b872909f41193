// The outer size of a top-level window around a client area, with the frame and caption
// the system draws at a given DPI.
#pragma once

#include <windows.h>

namespace tavimore {

// The window size of `style` and `exStyle` (no menu) whose client area is `width` x
// `height` at `dpi`. Systems before Windows 10 1607 measure the frame at their own DPI, the
// only one they draw frames at.
SIZE OuterSize(DWORD style, DWORD exStyle, int width, int height, int dpi);

}  // namespace tavimore
