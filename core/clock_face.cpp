#include "core/clock_face.h"

#include <vector>

#include "core/color_value.h"
#include "core/outline.h"

namespace tavimore {

namespace {

// Which image pixels an enlarged face pixel covers along one axis: `first` and the one
// after it, with the share of `first` in 1/96ths (the rest is the next one's). Face pixel
// k covers image positions [96k, 96k + 96) in units of 1/dpi of an image pixel; since the
// face is never made smaller it meets at most two image pixels.
// In bytes (positions below 80, weights up to 96): a row's worth of them stays well within
// a page of stack, which a Windows program may take without probing it page by page.
struct Cover {
  uint8_t first, next, weight;
};

Cover CoverOf(int k, int dpi) {
  const int from = k * kBaseDpi;
  int first = from / dpi;
  if (first > kFaceSize - 1) first = kFaceSize - 1;  // rounding may add a last pixel
  int weight = (first + 1) * dpi - from;
  if (weight > kBaseDpi) weight = kBaseDpi;
  return Cover{static_cast<uint8_t>(first),
               static_cast<uint8_t>(first + 1 < kFaceSize ? first + 1 : first),
               static_cast<uint8_t>(weight)};
}

// Where a line end (x, y) of the 80-unit face lies on the face at `dpi`: the centre of the
// pen's tip is mapped (PenCentre), so that a scaled pen covers what the 96-DPI pen's
// pixels cover once enlarged.
float ScaledEnd(float v, int pen, int scaledPen, int dpi) {
  return static_cast<float>((v + PenCentre(pen)) * dpi / kBaseDpi - PenCentre(scaledPen));
}

}  // namespace

void EnlargeFace(const PixelView& face, const uint32_t* values, int dpi) {
  const PixelView source = BottomUpView(const_cast<uint32_t*>(values), kFaceSize, kFaceSize);
  if (dpi % kBaseDpi == 0) {
    // A whole scale s: each image pixel an s x s block (the face is 80 s square), copied
    // without weighing; at 100 % a straight copy.
    const int s = dpi / kBaseDpi;
    for (int y = 0; y < face.height; ++y) {
      const uint32_t* from = source.Row(y / s);
      uint32_t* to = face.Row(y);
      for (int x = 0; x < kFaceSize; ++x)
        for (int k = 0; k < s; ++k) *to++ = from[x] & 0x00FFFFFF;
    }
    return;
  }
  Cover columns[kMaxWindowSize];
  for (int x = 0; x < face.width; ++x) columns[x] = CoverOf(x, dpi);
  for (int y = 0; y < face.height; ++y) {
    const Cover cy = CoverOf(y, dpi);
    const uint32_t* rows[2] = {source.Row(cy.first), source.Row(cy.next)};
    uint32_t* to = face.Row(y);
    for (int x = 0; x < face.width; ++x) {
      const Cover cx = columns[x];
      const int w[4] = {cx.weight * cy.weight, (kBaseDpi - cx.weight) * cy.weight,
                        cx.weight * (kBaseDpi - cy.weight),
                        (kBaseDpi - cx.weight) * (kBaseDpi - cy.weight)};
      const uint32_t p[4] = {rows[0][cx.first], rows[0][cx.next], rows[1][cx.first],
                             rows[1][cx.next]};
      uint32_t pixel = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        // 96 * 96 * 255 summed fits 32 bits; the mean is rounded to the nearest value.
        uint32_t sum = kBaseDpi * kBaseDpi / 2;
        for (int i = 0; i < 4; ++i) sum += w[i] * ((p[i] >> shift) & 0xFF);
        pixel |= sum / (kBaseDpi * kBaseDpi) << shift;
      }
      to[x] = pixel;
    }
  }
}

const uint32_t* TickBackground(const ClockContent& content, int faceImage, const uint32_t* builtIn,
                               uint32_t scratch[kImageValues]) {
  if (faceImage < 0 || !HasFaceImages(content)) return builtIn;
  ReadContentImage(content, faceImage, scratch);
  return scratch;
}

void DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               ClockTime time, int dpi) {
  HandLine lines[kHandCount];
  ComputeHands(build, kFaceSize, kFaceSize, hands, time, lines);
  for (const HandLine& l : lines) {
    const int pen = Scaled(l.penWidth, dpi);
    DrawLine(face, ScaledEnd(l.x, l.penWidth, pen, dpi), ScaledEnd(l.y, l.penWidth, pen, dpi),
             ScaledEnd(l.x + l.dx, l.penWidth, pen, dpi),
             ScaledEnd(l.y + l.dy, l.penWidth, pen, dpi), PixelFromColor(l.color), pen);
  }
}

void DrawFace(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
              const uint32_t* background, ClockTime time, int dpi) {
  DrawBackground(face, background, dpi);
  DrawHands(face, build, hands, time, dpi);
}

PixelView ClearClockWindow(uint32_t* window, int dpi) {
  const int size = ScaledWindowSize(dpi), faceSize = ScaledFaceSize(dpi);
  const PixelView whole = TopDownView(window, size, size);
  FillPixels(whole, kWindowBackgroundPixel);
  return CornerView(whole, faceSize, faceSize);
}

void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time, int dpi, uint32_t* window) {
  DrawFace(ClearClockWindow(window, dpi), build, hands, background, time, dpi);
}

void WindowRgba(const ClockBuild& build, int dpi, const uint32_t* window, uint8_t* rgba) {
  const int pixels = ScaledWindowSize(dpi) * ScaledWindowSize(dpi);
  std::vector<uint8_t> mask(pixels);
  BuildOutlineMask(build, dpi, mask.data());
  for (int i = 0; i < pixels; ++i) {
    rgba[4 * i + 0] = static_cast<uint8_t>(window[i] >> 16);
    rgba[4 * i + 1] = static_cast<uint8_t>(window[i] >> 8);
    rgba[4 * i + 2] = static_cast<uint8_t>(window[i]);
    rgba[4 * i + 3] = mask[i] ? 255 : 0;
  }
}

}  // namespace tavimore
