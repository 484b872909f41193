#include "platform/single_instance.h"

#include <cstdint>

#include "platform/heap_block.h"

namespace tavimore {
namespace {

// Windows file names ignore case, and one file can be reached by its short (8.3) name as
// well as its long one: compare the long form in upper case.
HeapBlock CanonicalPath(const wchar_t* path) {
  DWORD n = GetLongPathNameW(path, nullptr, 0);
  HeapBlock block;
  if (n > 0) {
    block = HeapBlock(n * sizeof(wchar_t));
    if (block && GetLongPathNameW(path, block.as<wchar_t>(), n) + 1 != n) block = HeapBlock();
  }
  if (!block) {  // keep the given form
    n = lstrlenW(path) + 1;
    block = HeapBlock(n * sizeof(wchar_t));
    if (block) lstrcpyW(block.as<wchar_t>(), path);
  }
  if (block) CharUpperW(block.as<wchar_t>());
  return block;
}

// 64-bit FNV-1a over the UTF-16 code units: a mutex name may not hold backslashes and is
// limited in length, so the path goes in as a hash.
uint64_t HashPath(const wchar_t* path) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (; *path; ++path) {
    h ^= static_cast<uint16_t>(*path);
    h *= 0x100000001B3ull;
  }
  return h;
}

}  // namespace

bool ClaimSingleInstance(const wchar_t* executablePath) {
  HeapBlock path = CanonicalPath(executablePath);
  if (!path) return true;  // cannot tell; better a second clock than none
  wchar_t name[] = L"TavimoreClock-0000000000000000";
  uint64_t h = HashPath(path.as<wchar_t>());
  for (int i = 29; i >= 14; --i, h >>= 4) name[i] = L"0123456789ABCDEF"[h & 15];
  // The handle stays open for the life of the process; the system closes it at exit.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

}  // namespace tavimore
