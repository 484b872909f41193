#include "platform/heap_block.h"

#include <windows.h>

namespace tavimore {

void* HeapMemory(size_t bytes) {
  return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

void FreeHeapMemory(void* memory) {
  if (memory) HeapFree(GetProcessHeap(), 0, memory);
}

}  // namespace tavimore
