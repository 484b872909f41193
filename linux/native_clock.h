// A clock file as the native Linux clock shows it, without any window system: what the
// core makes of the file (core/clock_content.h), its texts as UTF-8, the build's own face,
// and what the window shows at each second (core/clock_tick.h). The window
// (clock_window.cpp) only puts these pixels on the screen, so the native clock shows
// exactly what `tavimore render` draws for the same second and face.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/clock_content.h"
#include "core/clock_scale.h"
#include "core/clock_tick.h"
#include "core/enlarged_face.h"

namespace tavimore {

struct NativeClock {
  std::string file;            // the clock file's canonical path: what is kept is kept for it
  std::vector<uint8_t> bytes;  // the whole clock file
  ClockContent content{};      // points into `bytes`
  // The texts as UTF-8. homePage and mail are what the menu may open ("mailto:" included);
  // empty when the file's address is not one the menu opens.
  std::string author, homePage, mail;
  // The build's own face (kImageValues values), or empty for its plain colour; used only
  // when the file carries no face images.
  std::vector<uint32_t> builtInFace;
  Ticker ticker{};
  // The scale it was drawn at, as a DPI; 0 before the first drawing. The window keeps no
  // copy: its pixels are of this scale.
  int dpi = 0;
  std::vector<uint32_t> enlargedPixels;  // the face picture enlarged for that scale
  EnlargedFace enlarged{};               // what they hold
};

// Takes the file's bytes and makes the clock's state from them.
ClockOpen LoadNativeClock(std::vector<uint8_t> bytes, NativeClock* clock);

// The DPI the clock draws at on a screen of GDK's integer scale factor `scale` (GDK_SCALE):
// 96 per step, clamped as ClampDpi does (core/clock_scale.h).
int NativeClockDpi(int scale);

// One tick at `now`, drawn at `dpi` (a NativeClockDpi; 96 is 100 %). When the core's rule
// says to redraw, or the scale is not the one drawn last, draws the window into `window`
// (ScaledWindowSize(dpi) squared pixels, top row first, 0x00RRGGBB) and returns true;
// otherwise leaves it alone. A new scale within a second draws that second's face again,
// not the next face image.
bool TickNativeClock(NativeClock* clock, const LocalTime& now, uint32_t* window,
                     int dpi = kBaseDpi);

// The build's outline at `dpi` as the window system takes it, in the window's logical
// pixels: ScaledWindowSize(logicalDpi) squared (82 x 82 at 96 DPI, the window at a user's
// size of 100 %), top row first. A logical pixel is inside when any of the device pixels
// it covers (those from x * dpi / logicalDpi, rounded, up to the same for x + 1, in each
// direction) is inside the outline at that scale. So no pixel of the drawn outline is cut
// away; at most a fringe of less than a logical pixel beyond it shows the window's own
// pixels there. Where dpi is logicalDpi it is the outline's mask itself.
void LogicalOutlineMask(const ClockBuild& build, int dpi, uint8_t* mask, int logicalDpi = kBaseDpi);

}  // namespace tavimore
