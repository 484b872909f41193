#include "platform/cp932_text.h"

namespace tavimore {

constexpr UINT kCodePage932 = 932;

HeapBlock WideFromCp932(const char* text, size_t length) {
  // A byte never makes more than one UTF-16 unit in code page 932.
  HeapBlock wide((length + 1) * sizeof(wchar_t));
  if (!wide || length == 0) return wide;
  const int n = MultiByteToWideChar(kCodePage932, 0, text, static_cast<int>(length),
                                    wide.as<wchar_t>(), static_cast<int>(length));
  wide.as<wchar_t>()[n > 0 ? n : 0] = 0;
  return wide;
}

}  // namespace tavimore
