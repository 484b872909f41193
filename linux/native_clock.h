// A clock file as the native Linux clock shows it, without any window system: which build
// it is, its settings, the texts of its tooltip and menu, and what the window shows at
// each second. The window (clock_window.cpp) only puts these pixels on the screen, so the
// native clock shows exactly what `tavimore render` draws for the same second and face.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/clock_build.h"
#include "core/clock_settings.h"

namespace tavimore {

// The window's pixels as RenderClockWindow gives them: RGBA, top row first, alpha 0
// outside the build's outline.
constexpr size_t kWindowRgbaBytes = kWindowSize * kWindowSize * 4;

struct NativeClock {
  const ClockBuild* build = nullptr;
  ClockSettings settings{};
  std::vector<uint8_t> bytes;  // the whole clock file
  // The texts as UTF-8. homePage and mail are what the menu may open ("mailto:" included);
  // empty when the file's address is not one the menu opens.
  std::string author, homePage, mail;
  // The build's own face (kImageValues values), or empty for its plain colour; used only
  // when the file carries no face images.
  std::vector<uint32_t> builtInFace;
  int bgIndex = 0;           // face image shown at the next redraw
  std::string lastTimeText;  // the second drawn last; empty before the first redraw
};

enum class ClockLoad {
  kReady,
  kNotAClock,  // no clock program's marker in the file's first kPayloadOffset bytes
  kDamaged,    // the payload is damaged: the clock must not start
};

// Takes the file's bytes and makes the clock's state from them.
ClockLoad LoadNativeClock(std::vector<uint8_t> bytes, NativeClock* clock);

// One tick with the local time `timeText` ("yyyy/mm/dd hh:nn:ss"). When the second differs
// from the one drawn last, draws the window for it into `rgba` (kWindowRgbaBytes), moves
// on to the next face image and returns true; otherwise leaves `rgba` alone and returns
// false. A text of another form draws nothing.
bool TickNativeClock(NativeClock* clock, const char* timeText, uint8_t* rgba);

}  // namespace tavimore
