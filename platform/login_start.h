// Starting a clock at login, per user and per clock file: a value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run, named after the file's key, holding
// the file's full path in quotes (unquoted, a path with spaces could start another
// program: "C:\Program Files\..." would run "C:\Program"). Windows' startup-app settings
// list it and can switch it off (a value of the same name under Explorer\StartupApproved\Run,
// the Run value kept); no administrator rights are needed. Only the menu's choice writes
// either: a program started from Run must not write the key while it starts.
#pragma once

#include <windows.h>

namespace tavimore {

// True when such a value for the clock file of key `fileKey` (single_instance.h's
// ClockFileKey) exists and Windows' switch for it is not off.
bool StartsAtLogin(const wchar_t* fileKey);

// Writes the value, naming the file at `executablePath`, or removes it, and with it
// Windows' switch either way; the outcome shows at the next look. False, writing nothing,
// when no command line of the file fits a Run value: neither its path nor its short (8.3)
// form is short enough.
bool SetStartAtLogin(const wchar_t* fileKey, const wchar_t* executablePath, bool start);

}  // namespace tavimore
