#include "core/pixel_view.h"

#include <cstdlib>

namespace tavimore {
namespace {

// The tip of a pen `width` pixels wide: the offsets lo .. lo + width - 1 from the line's
// pixel, lo = -((width - 1) / 2), so that an even tip lies right of and below its centre as
// the window system's 2-pixel pens do; of that square the pixels whose centres lie within
// a circle, (2d)^2 summed over both axes at most width^2 - width (d from the square's
// centre), which makes width 3 a plus sign, the roundest 3-pixel tip, and keeps the ends of
// wider pens round.
bool InTip(int dx, int dy, int width) {
  const int twiceLo = -2 * ((width - 1) / 2), centre = twiceLo + width - 1;
  const int ex = 2 * dx - centre, ey = 2 * dy - centre;
  return ex * ex + ey * ey <= width * width - width;
}

struct Offset {
  int dx, dy;
};
// The widest pen drawn: the 3-pixel hour hand at 500 %.
constexpr int kWidestPen = 15;

// floor(v + 0.5) without the maths library, which would bring its floor into the clock:
// the conversion cuts towards zero, one less below it. Line ends lie within a few
// thousand pixels of the view.
int NearestPixel(float v) {
  const double d = static_cast<double>(v) + 0.5;
  const int cut = static_cast<int>(d);
  return cut > d ? cut - 1 : cut;
}

}  // namespace

void FillPixels(const PixelView& view, uint32_t pixel) {
  for (int y = 0; y < view.height; ++y) {
    uint32_t* row = view.Row(y);
    for (int x = 0; x < view.width; ++x) row[x] = pixel;
  }
}

void CopyPixels(const PixelView& to, const PixelView& from) {
  // The width in a local: a pixel written might otherwise be the view's own width, as far
  // as the compiler knows, and the row would be copied one pixel at a time.
  const int width = to.width;
  uint32_t* row = to.top;
  const uint32_t* source = from.top;
  for (int y = 0; y < to.height; ++y, row += to.stride, source += from.stride)
    for (int x = 0; x < width; ++x) row[x] = source[x];
}

void DrawLine(const PixelView& view, float x0, float y0, float x1, float y1, uint32_t pixel,
              int penWidth) {
  if (penWidth < 1) penWidth = 1;
  if (penWidth > kWidestPen) penWidth = kWidestPen;
  Offset tip[kWidestPen * kWidestPen];
  int tipSize = 0;
  const int lo = -((penWidth - 1) / 2);
  for (int ty = lo; ty < lo + penWidth; ++ty)
    for (int tx = lo; tx < lo + penWidth; ++tx)
      if (InTip(tx, ty, penWidth)) tip[tipSize++] = {tx, ty};
  // Bresenham between the two end pixels; clipping happens per pixel, which is cheap for
  // hands of at most a few hundred pixels.
  int x = NearestPixel(x0), y = NearestPixel(y0);
  const int xEnd = NearestPixel(x1), yEnd = NearestPixel(y1);
  const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
  const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    for (int i = 0; i < tipSize; ++i) {
      const int px = x + tip[i].dx, py = y + tip[i].dy;
      if (px >= 0 && px < view.width && py >= 0 && py < view.height) view.Row(py)[px] = pixel;
    }
    if (x == xEnd && y == yEnd) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
}

}  // namespace tavimore
