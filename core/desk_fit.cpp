#include "core/desk_fit.h"

#include "core/clock_placement.h"
#include "core/clock_scale.h"

namespace tavimore {
namespace {

constexpr uint32_t kFixedBit = 1u << 16;
constexpr uint32_t kFadeBit = 1u << 17;
constexpr uint32_t kSeeThroughShift = 8;
constexpr uint32_t kKnownBits = 3u | (3u << kSeeThroughShift) | kFixedBit | kFadeBit;

}  // namespace

int FitDpi(int monitorDpi, const DeskFit& fit) {
  return ClampDpi(ClampDpi(monitorDpi) * kSizePercents[fit.size] / 100);
}

int WheelSizeStep(int step, int wheelDelta) {
  if (wheelDelta > 0 && step < kSizeSteps - 1) return step + 1;
  if (wheelDelta < 0 && step > 0) return step - 1;
  return step;
}

int FitAlpha(const DeskFit& fit, bool pointerOver) {
  const int alpha = (kOpaque * (100 - kSeeThroughPercents[fit.seeThrough]) + 50) / 100;
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
  return static_cast<uint32_t>(fit.size) | static_cast<uint32_t>(fit.seeThrough) << kSeeThroughShift |
         (fit.fixed ? kFixedBit : 0) | (fit.fade ? kFadeBit : 0);
}

bool UnpackDeskFit(uint32_t packed, DeskFit* fit) {
  if (packed & ~kKnownBits) return false;
  // Both steps have 2 bits, and 4 steps each: every value the bits hold is a step.
  *fit = DeskFit{static_cast<int>(packed & 3), static_cast<int>(packed >> kSeeThroughShift & 3),
                 (packed & kFixedBit) != 0, (packed & kFadeBit) != 0};
  return true;
}

}  // namespace tavimore
