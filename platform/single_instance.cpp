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

bool ClockFileKey(const wchar_t* path, wchar_t (&name)[kClockFileKeyLength + 1]) {
  HeapBlock canonical = CanonicalPath(path);
  if (!canonical) return false;
  lstrcpyW(name, L"TavimoreClock-0000000000000000");
  uint64_t h = HashPath(canonical.as<wchar_t>());
  for (int i = kClockFileKeyLength - 1; i >= 14; --i, h >>= 4) name[i] = L"0123456789ABCDEF"[h & 15];
  return true;
}

bool ClaimSingleInstance(const wchar_t* executablePath, SECURITY_ATTRIBUTES* security) {
  wchar_t name[kClockFileKeyLength + 1];
  if (!ClockFileKey(executablePath, name)) return true;  // cannot tell; better a second clock than none
  // The handle stays open for the life of the process; the system closes it at exit.
  HANDLE mutex = CreateMutexW(security, FALSE, name);
  // A claim made with more rights than ours (a clock started as administrator) exists but
  // cannot be opened: that clock runs all the same.
  if (!mutex) return GetLastError() != ERROR_ACCESS_DENIED;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool IsInstanceRunning(const wchar_t* executablePath) {
  wchar_t name[kClockFileKeyLength + 1];
  if (!ClockFileKey(executablePath, name)) return false;
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name);
  if (mutex) {
    CloseHandle(mutex);
    return true;
  }
  return GetLastError() == ERROR_ACCESS_DENIED;
}

bool IsSameExecutable(const wchar_t* a, const wchar_t* b) {
  HeapBlock first = CanonicalPath(a);
  HeapBlock second = CanonicalPath(b);
  return first && second && lstrcmpW(first.as<wchar_t>(), second.as<wchar_t>()) == 0;
}

}  // namespace tavimore
