// How a user has fitted a clock to their desk, kept per clock file beside its place: its
// size, how far it lets the desktop show through, whether it stays put, and whether it
// fades while the pointer is over it. Every front end takes the rules from here, so a
// clock file looks and behaves the same on each.
#pragma once

#include <cstdint>

#include "core/screen_rect.h"

namespace tavimore {

// The menu's steps, in its order: the clock's size in percent of its size at the
// monitor's scale, and how much of what lies beneath shows through, in percent.
constexpr int kSizeSteps = 4;
constexpr int kSizePercents[kSizeSteps] = {100, 125, 150, 200};
constexpr int kSeeThroughSteps = 4;
constexpr int kSeeThroughPercents[kSeeThroughSteps] = {0, 25, 50, 75};
// The window's opacity for each, 255 opaque, as the window systems take it: 255 x (1 - t)
// rounded.
constexpr int kSeeThroughAlphas[kSeeThroughSteps] = {255, 191, 128, 64};

// Plain data; all zero is a new clock's: 100 %, opaque, free, not fading. Four bytes, in
// the order of PackDeskFit's number, so that packing it costs a clock next to nothing.
struct DeskFit {
  uint8_t size;        // index into kSizePercents
  uint8_t seeThrough;  // index into kSeeThroughPercents
  bool fixed;          // neither a drag nor a key moves the clock
  bool fade;           // nearly clear while the pointer is over it
};

// The scale a clock of `fit` is drawn at on a monitor of `monitorDpi`: the user's size
// multiplies the monitor's scale, within ClampDpi. 96 DPI at 200 % draws as 192 DPI.
int FitDpi(int monitorDpi, const DeskFit& fit);

// The size step after `step` for a wheel turned away from the user (> 0, larger) or
// towards them (< 0), held at the first and last step.
int WheelSizeStep(int step, int wheelDelta);

// The window's opacity: kSeeThroughAlphas' for its see-through, and at most kFadedAlpha
// while faded under the pointer.
constexpr int kOpaque = 255;
constexpr int kFadedAlpha = 63;  // a quarter of 255, rounded down: "at most a quarter"
int FitAlpha(const DeskFit& fit, bool pointerOver);

// Where a clock `size` pixels square goes when it is to be at `wanted` but wholly on a
// monitor: moved the least into the work area of the monitor under its centre, or the
// nearest one. For a clock moved by keys, and one grown or shrunk (see GrowAboutCentre).
// Without monitors the place stays.
ScreenPoint KeepOnMonitor(ScreenPoint wanted, int size, const Monitor* monitors, int count);

// Where a clock at `place`, `oldSize` square, goes at `newSize`: about the same centre,
// wholly on its monitor.
ScreenPoint GrowAboutCentre(ScreenPoint place, int oldSize, int newSize, const Monitor* monitors,
                            int count);

// The fit as one number for the stores: the size step in bits 0-7, the see-through step in
// bits 8-15, fixed in bit 16, fade in bit 24. A number with any other bit set, or a step
// beyond the last, comes from no clock (a damaged store) and reads back as false, to be
// ignored.
uint32_t PackDeskFit(const DeskFit& fit);
bool UnpackDeskFit(uint32_t packed, DeskFit* fit);

}  // namespace tavimore
