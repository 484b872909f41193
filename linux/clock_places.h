// Where the native clock was left and how it was fitted to the desk (core/desk_fit.h), kept
// per user and per clock file (its canonical path) as the desktop's conventions put it:
// core/place_text.h's "x y fit" in $XDG_STATE_HOME/tavimore (default
// ~/.local/state/tavimore), in a file named after the clock file's key (clock_file_key.h),
// so that each clock file has its own and nothing is written beside the clock.
#pragma once

#include <string>

#include "core/clock_placement.h"
#include "core/desk_fit.h"

namespace tavimore {

// False when nothing usable is kept (no file, or text that is no place).
bool ReadPlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint* place,
               DeskFit* fit);
// The outcome is not reported: a place that cannot be kept is simply not there next time.
void SavePlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint place,
               const DeskFit& fit);

}  // namespace tavimore
