#include "core/read_whole_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "core/file_error.h"

namespace tavimore {

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                   std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    *error = DescribeFileError(path, "is a folder", 0);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = DescribeFileError(path, "cannot be opened for reading", errno);
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uintmax_t>(size) > kMaxReadBytes) {
    *error = DescribeFileError(path, size < 0 ? "cannot be read" : "is too large", 0);
    return false;
  }
  in.seekg(0);
  bytes->resize(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes->data()), size)) {
    *error = DescribeFileError(path, "cannot be read", errno);
    return false;
  }
  return true;
}

}  // namespace tavimore
