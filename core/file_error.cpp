#include "core/file_error.h"

#include <cstring>

namespace tavimore {

std::string DescribeFileError(const std::filesystem::path& path, const char* what, int err) {
  std::string text = path.u8string() + ": " + what;
  if (err != 0) text += std::string(" (") + std::strerror(err) + ")";
  return text;
}

}  // namespace tavimore
