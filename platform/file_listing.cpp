#include "platform/file_listing.h"

#include "platform/handle_owners.h"

namespace tavimore {

std::vector<std::wstring> ListFiles(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(pattern.c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace tavimore
