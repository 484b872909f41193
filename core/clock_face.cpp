#include "core/clock_face.h"

#include "core/color_value.h"
#include "core/outline.h"

namespace tavimore {

void SetPicturePixels(const PixelView& face, const uint32_t* values) {
  const PixelView source = BottomUpView(const_cast<uint32_t*>(values), face.width, face.height);
  for (int y = 0; y < face.height; ++y) {
    const uint32_t* from = source.Row(y);
    uint32_t* to = face.Row(y);
    for (int x = 0; x < face.width; ++x) to[x] = from[x] & 0x00FFFFFF;
  }
}

void DrawHandsAt(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
                 ClockTime time) {
  HandLine lines[kHandCount];
  ComputeHands(build, face.width, face.height, hands, time, lines);
  for (const HandLine& l : lines)
    DrawLine(face, l.x, l.y, l.x + l.dx, l.y + l.dy, PixelFromColor(l.color), l.penWidth);
}

bool DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               const char* timeText) {
  ClockTime time;
  if (!ParseTimeText(timeText, &time)) return false;
  DrawHandsAt(face, build, hands, time);
  return true;
}

void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time,
                       uint8_t rgba[kWindowSize * kWindowSize * 4]) {
  uint32_t window[kWindowSize * kWindowSize];
  const PixelView all = TopDownView(window, kWindowSize, kWindowSize);
  FillPixels(all, kWindowBackgroundPixel);
  const PixelView face{window, kFaceSize, kFaceSize, kWindowSize};
  if (background)
    SetPicturePixels(face, background);
  else
    FillPixels(face, kPlainFacePixel);
  DrawHandsAt(face, build, hands, time);

  uint8_t mask[kWindowSize * kWindowSize];
  BuildOutlineMask(build, mask);
  for (int i = 0; i < kWindowSize * kWindowSize; ++i) {
    rgba[4 * i + 0] = static_cast<uint8_t>(window[i] >> 16);
    rgba[4 * i + 1] = static_cast<uint8_t>(window[i] >> 8);
    rgba[4 * i + 2] = static_cast<uint8_t>(window[i]);
    rgba[4 * i + 3] = mask[i] ? 255 : 0;
  }
}

}  // namespace tavimore
