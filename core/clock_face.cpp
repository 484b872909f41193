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

const uint32_t* TickBackground(const ClockContent& content, int faceImage, const uint32_t* builtIn,
                               uint32_t scratch[kImageValues]) {
  if (faceImage < 0 || !HasFaceImages(content)) return builtIn;
  ReadContentImage(content, faceImage, scratch);
  return scratch;
}

void DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               ClockTime time) {
  HandLine lines[kHandCount];
  ComputeHands(build, face.width, face.height, hands, time, lines);
  for (const HandLine& l : lines)
    DrawLine(face, l.x, l.y, l.x + l.dx, l.y + l.dy, PixelFromColor(l.color), l.penWidth);
}

void DrawFace(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
              const uint32_t* background, ClockTime time) {
  if (background)
    SetPicturePixels(face, background);
  else
    FillPixels(face, kPlainFacePixel);
  DrawHands(face, build, hands, time);
}

void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time, uint32_t window[kWindowPixels]) {
  FillPixels(TopDownView(window, kWindowSize, kWindowSize), kWindowBackgroundPixel);
  DrawFace(PixelView{window, kFaceSize, kFaceSize, kWindowSize}, build, hands, background, time);
}

void WindowRgba(const ClockBuild& build, const uint32_t window[kWindowPixels],
                uint8_t rgba[kWindowPixels * 4]) {
  uint8_t mask[kWindowPixels];
  BuildOutlineMask(build, mask);
  for (int i = 0; i < kWindowPixels; ++i) {
    rgba[4 * i + 0] = static_cast<uint8_t>(window[i] >> 16);
    rgba[4 * i + 1] = static_cast<uint8_t>(window[i] >> 8);
    rgba[4 * i + 2] = static_cast<uint8_t>(window[i]);
    rgba[4 * i + 3] = mask[i] ? 255 : 0;
  }
}

}  // namespace tavimore
