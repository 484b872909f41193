#include "platform/login_start.h"

#include "platform/heap_block.h"
#include "platform/clock_file_value.h"

namespace tavimore {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

bool StartsAtLogin(const wchar_t* fileKey) {
  HKEY key = OpenClockFileValue(kRunKey, fileKey, false);
  if (!key) return false;
  const bool found = RegQueryValueExW(key, fileKey, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

void SetStartAtLogin(const wchar_t* fileKey, const wchar_t* executablePath, bool start) {
  HKEY key = OpenClockFileValue(kRunKey, fileKey, true);
  if (!key) return;
  if (start) {
    const int length = lstrlenW(executablePath);
    HeapBlock command((length + 3) * sizeof(wchar_t));  // the quotes and the zero
    if (wchar_t* c = command.as<wchar_t>()) {
      c[0] = L'"';
      lstrcpyW(c + 1, executablePath);
      c[length + 1] = L'"';
      c[length + 2] = 0;
      RegSetValueExW(key, fileKey, 0, REG_SZ, reinterpret_cast<const BYTE*>(c),
                     (length + 3) * sizeof(wchar_t));
    }
  } else {
    RegDeleteValueW(key, fileKey);
  }
  RegCloseKey(key);
}

}  // namespace tavimore
