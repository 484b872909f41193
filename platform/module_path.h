// Where the running program lives: its own executable and its folder, as wide text so
// that any folder name works.
#pragma once

#include <windows.h>

#include "platform/heap_block.h"

namespace tavimore {

// The full path of the program's executable, zero-terminated wchar_t text; an empty
// block when it cannot be found.
HeapBlock OwnExecutablePath();

// `path` up to and including its last backslash: the folder, already passed through
// AddTrailingBackslash.
HeapBlock FolderOf(const wchar_t* path);

}  // namespace tavimore
