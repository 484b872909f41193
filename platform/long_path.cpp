#include "platform/long_path.h"

#include <windows.h>

namespace tavimore {

std::wstring ExtendedLengthPath(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\')
    return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

}  // namespace tavimore
