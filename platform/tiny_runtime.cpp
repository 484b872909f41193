// The few pieces of the C++ runtime a clock or the editor could pull in, small enough for a
// program of a few kilobytes. The library's own versions bring its exception machinery
// along, which alone is several times the clock's size. Both are built without exceptions,
// so a failure here (memory exhausted, a container asked for more than it can hold) ends
// the program.
#include <windows.h>

#include <bits/functexcept.h>
#include <cstddef>
#include <new>

#include "platform/heap_block.h"

namespace {

[[noreturn]] void Fail() {
  MessageBoxW(nullptr, L"メモリが不足しています。", L"Tavimore", MB_OK | MB_ICONSTOP);
  ExitProcess(3);
}

void* Allocate(std::size_t size) {
  void* p = tavimore::HeapMemory(size);
  if (!p) Fail();
  return p;
}

void Free(void* p) { tavimore::FreeHeapMemory(p); }

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return tavimore::HeapMemory(size);
}
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

namespace std {
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }
void __throw_bad_function_call() { Fail(); }
}  // namespace std
