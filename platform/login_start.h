// Starting a clock at login, per user and per clock file: a value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run, named after the file's key, holding
// the file's full path in quotes (unquoted, a path with spaces could start another
// program: "C:\Program Files\..." would run "C:\Program"). Windows' startup-app settings
// list it; no administrator rights are needed.
#pragma once

#include <windows.h>

namespace tavimore {

// True when such a value for the clock file of key `fileKey` (single_instance.h's
// ClockFileKey) exists.
bool StartsAtLogin(const wchar_t* fileKey);

// Writes the value, naming the file at `executablePath`, or removes it; the outcome shows
// at the next look.
void SetStartAtLogin(const wchar_t* fileKey, const wchar_t* executablePath, bool start);

}  // namespace tavimore
