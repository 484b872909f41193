// The file an HTTP request target names inside a served folder: `tavimore serve` answers
// only for files inside it, whatever the target's spelling.
//
// The query and fragment are dropped, %XX is decoded, and a target ending in "/" names
// that folder's index.html. A target that does not start with "/", holds a bad %XX, or has
// an empty, "." or ".." segment (also when spelt %2E%2E or cut by %2F), a backslash or a
// zero byte names no file.
#pragma once

#include <filesystem>
#include <string>

namespace tavimore {

// False when `target` names no file inside `root`; else the file in `out`.
bool RequestPath(const std::filesystem::path& root, std::string target,
                 std::filesystem::path* out);

}  // namespace tavimore
