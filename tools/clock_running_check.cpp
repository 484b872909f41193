#include "tools/clock_running_check.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

#include "platform/single_instance.h"
#endif

namespace tavimore {

bool IsClockRunning(const std::filesystem::path& path) {
#ifdef _WIN32
  // The full path with backslashes only, as the clock's own module path reads, since where
  // the file's identity cannot be read the claim's name is made from the path's text.
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return false;
  std::vector<wchar_t> full(n);
  if (GetFullPathNameW(path.c_str(), n, full.data(), nullptr) >= n) return false;
  return IsInstanceRunning(full.data());
#else
  (void)path;
  return false;
#endif
}

}  // namespace tavimore
