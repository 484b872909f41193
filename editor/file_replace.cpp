#include "editor/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tavimore {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what, int err) {
  std::string text = path.u8string() + ": " + what;
  if (err != 0) text += std::string(" (") + std::strerror(err) + ")";
  return text;
}

// A name beside `target` that no file has yet.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::error_code ec;
  for (int i = 0;; ++i) {
    std::filesystem::path candidate = target;
    candidate += ".partial" + std::to_string(i);
    if (!std::filesystem::exists(candidate, ec) || i == 999) return candidate;
  }
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                   std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    *error = Describe(path, "is a folder", 0);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = Describe(path, "cannot be opened for reading", errno);
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uintmax_t>(size) > kMaxReadBytes) {
    *error = Describe(path, size < 0 ? "cannot be read" : "is too large", 0);
    return false;
  }
  in.seekg(0);
  bytes->resize(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes->data()), size)) {
    *error = Describe(path, "cannot be read", errno);
    return false;
  }
  return true;
}

bool ReplaceFile(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                 std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) {
    *error = Describe(target, "is a folder", 0);
    return false;
  }
  const std::filesystem::path temp = TemporaryBeside(target);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      *error = Describe(temp, "cannot be created", errno);
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();  // a full disk may only show when the last bytes go out
    if (out.fail()) {
      const int err = errno;
      std::filesystem::remove(temp, ec);
      *error = Describe(temp, "could not be written completely", err);
      return false;
    }
  }
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    *error = target.u8string() + ": could not be replaced (" + ec.message() + ")";
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace tavimore
