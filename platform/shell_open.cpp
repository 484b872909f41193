#include "platform/shell_open.h"

#include <shellapi.h>

namespace tavimore {

void OpenWithShell(const wchar_t* target, const wchar_t* folder) {
  ShellExecuteW(GetDesktopWindow(), L"open", target, nullptr, folder, SW_SHOWNORMAL);
}

}  // namespace tavimore
