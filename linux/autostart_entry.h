// Whether a clock file starts at login, as the desktop's conventions keep it: a desktop entry
// in $XDG_CONFIG_HOME/autostart (default ~/.config/autostart), named after the clock file's
// key (clock_file_key.h), so that each clock file has its own and nothing is written beside
// the clock.
#pragma once

#include <string>

namespace tavimore {

// The login entry's file for the clock file.
std::string AutostartFile(const std::string& configFolder, const std::string& canonicalPath);

// True while the clock file has its login entry.
bool StartsAtLogin(const std::string& configFolder, const std::string& canonicalPath);
// Writes the entry (starting the program running now with the clock file), or removes it;
// the outcome shows at the next look.
void SetStartAtLogin(const std::string& configFolder, const std::string& canonicalPath, bool start);

// The desktop entry that starts `program` with the clock file at login.
std::string AutostartEntry(const std::string& program, const std::string& canonicalPath);

}  // namespace tavimore
