// The header of the one bitmap form the programs hand to GDI: 32 bits a pixel, so that a
// pixel is the portable 0x00RRGGBB value (blue, green, red, 0 in memory), and rows from the
// bottom up (a positive height), so that a face image, bottom row first, is a straight copy.
#pragma once

#include <windows.h>

namespace tavimore {

inline BITMAPINFO BottomUpDibHeader(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace tavimore
