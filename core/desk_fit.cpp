#include "core/desk_fit.h"

#include "core/clock_placement.h"
#include "core/clock_scale.h"

namespace tavimore {
int FitDpi(int monitorDpi, const DeskFit& fit) {
  return ClampDpi(ClampDpi(monitorDpi) * kSizePercents[fit.size] / 100);
}

int WheelSizeStep(int step, int wheelDelta) {
  if (wheelDelta > 0 && step < kSizeSteps - 1) return step + 1;
  if (wheelDelta < 0 && step > 0) return step - 1;
  return step;
}

int FitAlpha(const DeskFit& fit, bool pointerOver) {
  const int alpha = kSeeThroughAlphas[fit.seeThrough];
  return pointerOver && fit.fade && alpha > kFadedAlpha ? kFadedAlpha : alpha;
}

ScreenPoint KeepOnMonitor(ScreenPoint wanted, int size, const Monitor* monitors, int count) {
  return MoveOntoMonitor(wanted, size, monitors, count, true);
}

ScreenPoint GrowAboutCentre(ScreenPoint place, int oldSize, int newSize, const Monitor* monitors,
                            int count) {
  // The centre of an odd difference moves by half a pixel; it goes up and left, the same
  // way each time, so growing and shrinking again comes back to the same place.
  const int shift = (newSize - oldSize) / 2;
  return KeepOnMonitor(ScreenPoint{place.x - shift, place.y - shift}, newSize, monitors, count);
}

uint32_t PackDeskFit(const DeskFit& fit) {
  return fit.size | fit.seeThrough << 8 | static_cast<uint32_t>(fit.fixed) << 16 |
         static_cast<uint32_t>(fit.fade) << 24;
}

bool UnpackDeskFit(uint32_t packed, DeskFit* fit) {
  const uint32_t size = packed & 0xFF, seeThrough = packed >> 8 & 0xFF, fixed = packed >> 16 & 0xFF,
                 fade = packed >> 24;
  if (size >= kSizeSteps || seeThrough >= kSeeThroughSteps || fixed > 1 || fade > 1) return false;
  *fit = DeskFit{static_cast<uint8_t>(size), static_cast<uint8_t>(seeThrough), fixed != 0, fade != 0};
  return true;
}

}  // namespace tavimore
