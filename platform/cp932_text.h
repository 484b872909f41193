// A clock's texts are code page 932 (Shift-JIS) on every system, whatever the system's own
// code page: this turns them into the window system's wide text.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/heap_block.h"

namespace tavimore {

// `length` bytes of code page 932 text as zero-terminated wchar_t text; an empty block
// when memory runs out.
HeapBlock WideFromCp932(const char* text, size_t length);

}  // namespace tavimore
