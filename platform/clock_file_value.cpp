#include "platform/clock_file_value.h"

namespace tavimore {

HKEY OpenClockFileValue(const wchar_t* subkey, const wchar_t* fileKey, bool write) {
  HKEY key = nullptr;
  if (!fileKey[0]) return nullptr;
  const LONG opened =
      write ? RegCreateKeyExW(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr)
            : RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_QUERY_VALUE, &key);
  return opened == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace tavimore
