// A per-user registry key that holds one value for each clock file, named after the file's
// key (single_instance.h): where the clock was left, whether it starts at login.
#pragma once

#include <windows.h>

namespace tavimore {

// HKCU\`subkey`, opened to read (or to write, made when missing, with `write`); null when
// it cannot be had, or `fileKey` is empty (no key could be made for the file). The caller
// closes the key and names the value `fileKey`.
HKEY OpenClockFileValue(const wchar_t* subkey, const wchar_t* fileKey, bool write);

}  // namespace tavimore
