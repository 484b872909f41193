#include "platform/module_path.h"

#include <cstring>

namespace tavimore {

HeapBlock OwnExecutablePath() {
  // Long paths reach 32767 characters; start small and grow, since a truncated name
  // fills the buffer exactly.
  for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
    HeapBlock block(capacity * sizeof(wchar_t));
    if (!block) return HeapBlock();
    const DWORD n = GetModuleFileNameW(nullptr, block.as<wchar_t>(), capacity);
    if (n == 0) return HeapBlock();
    if (n < capacity) return block;
  }
  return HeapBlock();
}

HeapBlock FolderOf(const wchar_t* path) {
  size_t end = 0;
  for (size_t i = 0; path[i]; ++i)
    if (path[i] == L'\\') end = i + 1;
  HeapBlock folder((end + 2) * sizeof(wchar_t));
  if (!folder) return folder;
  wchar_t* text = folder.as<wchar_t>();
  std::memcpy(text, path, end * sizeof(wchar_t));
  if (end == 0 || text[end - 1] != L'\\') text[end++] = L'\\';
  text[end] = 0;
  return folder;
}

}  // namespace tavimore
