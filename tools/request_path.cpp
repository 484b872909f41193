#include "tools/request_path.h"

#include <algorithm>

#include "tools/hex_digit.h"

namespace tavimore {

bool RequestPath(const std::filesystem::path& root, std::string target, std::filesystem::path* out) {
  target = target.substr(0, target.find_first_of("?#"));
  if (target.empty() || target[0] != '/') return false;
  std::string path;
  for (size_t i = 0; i < target.size(); ++i) {
    if (target[i] != '%') {
      path += target[i];
      continue;
    }
    const int hi = i + 2 < target.size() ? HexDigit(target[i + 1]) : -1;
    const int lo = hi >= 0 ? HexDigit(target[i + 2]) : -1;
    if (lo < 0) return false;
    path += static_cast<char>(hi << 4 | lo);
    i += 2;
  }
  if (path.back() == '/') path += "index.html";
  std::filesystem::path result = root;
  size_t start = 1;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    const std::string segment = path.substr(start, end - start);
    if (segment.empty() || segment == "." || segment == ".." ||
        segment.find_first_of(std::string("\\\0", 2)) != std::string::npos)
      return false;
    result /= std::filesystem::u8path(segment);
    start = end + 1;
  }
  *out = result;
  return true;
}

}  // namespace tavimore
