// What the native clock keeps per user and per clock file (its canonical path), as the
// desktop's conventions put it: where it was left, "x y" in $XDG_STATE_HOME/tavimore
// (default ~/.local/state/tavimore), and whether it starts at login, a desktop entry in
// $XDG_CONFIG_HOME/autostart (default ~/.config/autostart). Both are named after a hash of
// the path, so each clock file has its own and nothing is written beside the clock.
#pragma once

#include <string>
#include <string_view>

#include "core/clock_placement.h"

namespace tavimore {

// 16 hexadecimal digits from the path (64-bit FNV-1a over its bytes).
std::string ClockFileKey(std::string_view canonicalPath);

// False when nothing usable is kept (no file, or text that is no place).
bool ReadPlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint* place);
// The outcome is not reported: a place that cannot be kept is simply not there next time.
void SavePlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint place);

// The login entry's file for the clock file.
std::string AutostartFile(const std::string& configFolder, const std::string& canonicalPath);

// True while the clock file has its login entry.
bool StartsAtLogin(const std::string& configFolder, const std::string& canonicalPath);
// Writes the entry (starting the program running now with the clock file), or removes it;
// the outcome shows at the next look.
void SetStartAtLogin(const std::string& configFolder, const std::string& canonicalPath, bool start);

// The desktop entry that starts `program` with the clock file at login.
std::string AutostartEntry(const std::string& program, const std::string& canonicalPath);

// One argument of a desktop entry's Exec line: always in double quotes, with `"`, `` ` ``,
// `$` and `\` escaped inside them, then every backslash doubled (the value is a string,
// whose own escape is the backslash) and `%` doubled (not a field code).
std::string DesktopExecArgument(std::string_view argument);

}  // namespace tavimore
