#include "editor/definition_files.h"

#include <windows.h>

#include "platform/file_listing.h"

namespace tavimore {
namespace {

constexpr wchar_t kExtension[] = L".prm";
constexpr size_t kExtensionLength = 4;

// The wildcard also matches names whose short (8.3) form ends in ".PRM", such as
// "a.prmx"; only names that really end in ".prm" (in any case) are definitions.
bool EndsWithExtension(const std::wstring& name) {
  return name.size() > kExtensionLength &&
         CompareStringOrdinal(name.c_str() + name.size() - kExtensionLength,
                              static_cast<int>(kExtensionLength), kExtension,
                              static_cast<int>(kExtensionLength), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::vector<std::wstring> ListDefinitionFiles(const std::wstring& folder) {
  std::vector<std::wstring> definitions;
  for (std::wstring& name : ListFiles(folder + L"*" + kExtension))
    if (EndsWithExtension(name)) definitions.push_back(std::move(name));
  return definitions;
}

std::wstring DefinitionCaption(const std::wstring& fileName) {
  return fileName.substr(0, fileName.size() - kExtensionLength);
}

}  // namespace tavimore
