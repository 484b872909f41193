#include "platform/shell_open.h"

#include <objbase.h>
#include <shellapi.h>

#include "platform/heap_block.h"

namespace tavimore {
namespace {

// Called by the system, which on 32-bit Windows aligns the stack to 4 bytes only. Owns
// `parameter`, a copy of the target on the process heap.
__attribute__((force_align_arg_pointer)) DWORD WINAPI OpenThread(void* parameter) {
  auto* target = static_cast<wchar_t*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ShellExecuteW(GetDesktopWindow(), L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
  FreeHeapMemory(target);
  return 0;
}

// Well below the 5 seconds the editor gives a clock to end before it overwrites the file,
// and ample for the shell to hand the address on, which takes well under a second.
constexpr DWORD kOpenWaitMs = 3000;

}  // namespace

void FinishOpening(KernelHandle* opening) {
  if (*opening) WaitForSingleObject(opening->get(), kOpenWaitMs);
  opening->reset();
}

void OpenWithShell(const wchar_t* target, KernelHandle* opening) {
  FinishOpening(opening);
  const size_t bytes = (lstrlenW(target) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<wchar_t*>(HeapMemory(bytes));
  if (!copy) return;
  lstrcpyW(copy, target);
  opening->reset(CreateThread(nullptr, 0, OpenThread, copy, 0, nullptr));
  if (!*opening) FreeHeapMemory(copy);
}

}  // namespace tavimore
