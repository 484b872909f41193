#include "core/pixel_view.h"

#include <cmath>
#include <cstdlib>

namespace tavimore {
namespace {

// Pixels of the pen's tip relative to the line's pixel. Width 2 has no centre pixel and
// lies right of and below it, as the window system's 2-pixel pens do; width 3 is a plus
// sign, the roundest 3-pixel tip.
struct Offset {
  int dx, dy;
};
constexpr Offset kTip1[] = {{0, 0}};
constexpr Offset kTip2[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
constexpr Offset kTip3[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

int NearestPixel(float v) { return static_cast<int>(std::floor(static_cast<double>(v) + 0.5)); }

}  // namespace

void FillPixels(const PixelView& view, uint32_t pixel) {
  for (int y = 0; y < view.height; ++y) {
    uint32_t* row = view.Row(y);
    for (int x = 0; x < view.width; ++x) row[x] = pixel;
  }
}

void DrawLine(const PixelView& view, float x0, float y0, float x1, float y1, uint32_t pixel,
              int penWidth) {
  const Offset* tip = kTip1;
  int tipSize = 1;
  if (penWidth == 2) tip = kTip2, tipSize = 4;
  if (penWidth >= 3) tip = kTip3, tipSize = 5;

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
