// Listing the files of a folder that match a wildcard pattern, with wide names.
#pragma once

#include <string>
#include <vector>

namespace tavimore {

// The names (without folder) of the files, not folders, that match `pattern` (a folder
// and a wildcard, "C:\dir\*.prm"), in the order the directory listing returns them.
std::vector<std::wstring> ListFiles(const std::wstring& pattern);

}  // namespace tavimore
