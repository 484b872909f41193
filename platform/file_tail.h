// Reading the end of a file from a given offset, in one read, with wide file names.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/heap_block.h"

namespace tavimore {

enum class FileTail {
  kRead,      // the bytes from the offset to the end are in the block
  kTooShort,  // the file ends before the offset
  kFailed,    // the file could not be opened or read, or memory ran out
};

// On kRead, `tail` holds the file's bytes from `offset` on and one zero byte more (which
// ends a last text field that lacks its own); `*size` is the number of bytes read.
FileTail ReadFileTail(const wchar_t* path, uint32_t offset, HeapBlock* tail, size_t* size);

}  // namespace tavimore
