// A view of 32-bit pixels 0x00RRGGBB (in memory blue, green, red, 0), the form of a
// 32-bit device-independent bitmap. `top` points at the first pixel of the top row and
// `stride` is the distance in pixels from one row to the row below it: positive for a
// top-down picture, negative for a bottom-up one. The view owns nothing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

struct PixelView {
  uint32_t* top;
  int width, height;
  std::ptrdiff_t stride;

  uint32_t* Row(int y) const { return top + y * stride; }
};

// A top-down view of `width` x `height` pixels at `pixels`.
inline PixelView TopDownView(uint32_t* pixels, int width, int height) {
  return PixelView{pixels, width, height, width};
}
// A bottom-up view: `pixels` holds the bottom row first, as face images do.
inline PixelView BottomUpView(uint32_t* pixels, int width, int height) {
  return PixelView{pixels + static_cast<std::ptrdiff_t>(height - 1) * width, width, height, -width};
}

// The `width` x `height` pixels at the top-left corner of `view`.
inline PixelView CornerView(const PixelView& view, int width, int height) {
  return PixelView{view.top, width, height, view.stride};
}

void FillPixels(const PixelView& view, uint32_t pixel);
// Copies `from` onto `to`, as much as `to` holds; `from` is at least as large.
void CopyPixels(const PixelView& to, const PixelView& from);

// Where a pen `penWidth` pixels wide has the centre of its tip, from the left (or top)
// edge of the line's pixel: half a pixel for odd widths, a whole pixel for even ones, whose
// tips lie right of and below the line's pixel.
inline double PenCentre(int penWidth) { return penWidth % 2 ? 0.5 : 1.0; }

// A solid line from (x0, y0) to (x1, y1), both end pixels included, `penWidth` pixels wide
// (up to 15, the widest hand at 500 %) with round ends, lying as PenCentre says; pixels
// take the colour unchanged and anything outside the view is clipped. End points go to the
// nearest pixel (halves upwards), so the tiny offsets of a single-precision quarter turn
// land where an exact zero would.
void DrawLine(const PixelView& view, float x0, float y0, float x1, float y1, uint32_t pixel,
              int penWidth);

}  // namespace tavimore
