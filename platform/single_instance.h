// One running clock per executable file: a second start of the same file ends, while two
// different clock files can run side by side.
#pragma once

#include <windows.h>

namespace tavimore {

// True when no other process started from the same file runs; that process then holds
// the claim until it ends. `executablePath` is the program's own full path.
bool ClaimSingleInstance(const wchar_t* executablePath);

}  // namespace tavimore
