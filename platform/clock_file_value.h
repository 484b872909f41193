// A per-user registry key that holds one value for each clock file, named after the file's
// key (single_instance.h): where the clock was left, whether it starts at login.
#pragma once

#include <windows.h>

#include "platform/single_instance.h"

namespace tavimore {

// HKCU\`subkey`, opened to read (or to write, made when missing, with `write`), and in
// `name` the value name for the clock file at `executablePath`; null when either cannot
// be had. The caller closes the key.
HKEY OpenClockFileValue(const wchar_t* subkey, const wchar_t* executablePath, bool write,
                        wchar_t (&name)[kClockFileKeyLength + 1]);

}  // namespace tavimore
