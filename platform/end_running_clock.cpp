#include "platform/end_running_clock.h"

#include <vector>

#include "platform/handle_owners.h"
#include "platform/single_instance.h"

namespace tavimore {
namespace {

// A clock ends within milliseconds of the request; the rest is room for a busy machine.
constexpr DWORD kEndWaitMs = 5000;
// The longest path the wide calls take, in characters with the terminating zero.
constexpr DWORD kLongestPath = 32768;

struct Search {
  const wchar_t* clockPath;
  std::vector<KernelHandle> processes;  // those asked to end
};

bool RunsFrom(HANDLE process, const wchar_t* clockPath) {
  std::vector<wchar_t> image(kLongestPath);
  DWORD length = kLongestPath;
  return QueryFullProcessImageNameW(process, 0, image.data(), &length) &&
         IsSameExecutable(image.data(), clockPath);
}

BOOL CALLBACK AskToClose(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t name[sizeof kClockWindowClass / sizeof kClockWindowClass[0] + 1] = {};
  if (GetClassNameW(window, name, sizeof name / sizeof name[0]) == 0 ||
      lstrcmpW(name, kClockWindowClass) != 0)
    return TRUE;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id));
  if (!process || !RunsFrom(process.get(), search->clockPath)) return TRUE;
  if (PostMessageW(window, WM_CLOSE, 0, 0)) search->processes.push_back(std::move(process));
  return TRUE;
}

}  // namespace

bool EndRunningClock(const wchar_t* clockPath) {
  Search search{clockPath, {}};
  EnumWindows(AskToClose, reinterpret_cast<LPARAM>(&search));
  const DWORD start = GetTickCount();
  for (const KernelHandle& process : search.processes) {
    const DWORD spent = GetTickCount() - start;
    WaitForSingleObject(process.get(), spent < kEndWaitMs ? kEndWaitMs - spent : 0);
  }
  return !IsInstanceRunning(clockPath);
}

}  // namespace tavimore
