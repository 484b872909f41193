// One running clock per executable file: a second start of the same file ends, while two
// different clock files can run side by side. The claim is a named object whose name comes
// from the file's identity on its volume, so that every path to one file (another drive
// letter, a junction) names one claim; the editor asks for it to learn whether the clock it
// is about to write runs.
#pragma once

#include <windows.h>

#include "core/clock_file_key.h"

namespace tavimore {

// True when no other process started from the same file runs; that process then holds
// the claim until it ends. `executablePath` is the program's own full path; `security`
// says who may open the claim (null: the system's default, which a program started as
// administrator gives to administrators only).
bool ClaimSingleInstance(const wchar_t* executablePath, SECURITY_ATTRIBUTES* security = nullptr);

// True while a process started from the file at `executablePath` holds its claim.
bool IsInstanceRunning(const wchar_t* executablePath);

// The name that stands for the clock file at `executablePath` wherever something is kept
// per path (the remembered place, the login item): the same for every spelling of one
// path (case, short names), but another for another path to the same file. It names the
// claim too where the file's identity cannot be read. False when there is no memory for it.
constexpr int kClockFileKeyLength = 14 + kClockFileKeyDigits;  // "TavimoreClock-", the digits
bool ClockFileKey(const wchar_t* executablePath, wchar_t (&key)[kClockFileKeyLength + 1]);

// True when both paths name one file as the claim sees it: by the files' identities, or
// where one cannot be read, by the paths, case and short names aside.
bool IsSameExecutable(const wchar_t* a, const wchar_t* b);

}  // namespace tavimore
