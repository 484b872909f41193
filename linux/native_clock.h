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
#include "core/clock_tick.h"

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
};

// Takes the file's bytes and makes the clock's state from them.
ClockOpen LoadNativeClock(std::vector<uint8_t> bytes, NativeClock* clock);

// One tick at `now`. When the core's rule says to redraw, draws the window for it into
// `window` (top row first, 0x00RRGGBB) and returns true; otherwise leaves it alone.
bool TickNativeClock(NativeClock* clock, const LocalTime& now, uint32_t window[kWindowPixels]);

}  // namespace tavimore
