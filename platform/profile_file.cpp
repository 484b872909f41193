#include "platform/profile_file.h"

#include <vector>

namespace tavimore {
namespace {

// Bytes `text[0..count)` take in the ANSI code page.
int AnsiBytes(const wchar_t* text, int count) {
  return WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
}

// The longest start of `value` that fits `limit` ANSI bytes, cut between characters (a
// surrogate pair is one character).
std::wstring CutToAnsiBytes(const std::wstring& value, int limit) {
  int used = 0;
  size_t end = 0;
  while (end < value.size()) {
    const bool pair = end + 1 < value.size() && IS_HIGH_SURROGATE(value[end]) &&
                      IS_LOW_SURROGATE(value[end + 1]);
    const int units = pair ? 2 : 1;
    const int bytes = AnsiBytes(value.data() + end, units);
    if (used + bytes > limit) break;
    used += bytes;
    end += units;
  }
  return value.substr(0, end);
}

}  // namespace

std::wstring ReadProfileValue(const wchar_t* section, const wchar_t* key, const wchar_t* file) {
  // Read more than will be kept, so the cut is made on ANSI bytes and not on the UTF-16
  // units the wide call counts. A value that fills the buffer is cut anyway.
  std::vector<wchar_t> buffer(4 * kMaxProfileValueBytes + 2, 0);
  const DWORD n = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file);
  return CutToAnsiBytes(std::wstring(buffer.data(), n), kMaxProfileValueBytes);
}

bool WriteProfileValue(const wchar_t* section, const wchar_t* key, const std::wstring& value,
                       const wchar_t* file) {
  return WritePrivateProfileStringW(section, key, value.c_str(), file) != 0;
}

}  // namespace tavimore
