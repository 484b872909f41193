#include "core/file_replace.h"

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

// The C library's file calls report why a write failed (errno), which streams do not; on
// Windows the wide form takes any folder name.
std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
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
  std::FILE* out = OpenForWriting(temp);
  if (!out) {
    *error = Describe(temp, "cannot be created", errno);
    return false;
  }
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  int err = errno;
  // A full disk may only show when the last bytes go out, at the close.
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) {
    if (written) err = errno;
    std::filesystem::remove(temp, ec);
    *error = Describe(temp, "could not be written completely", err);
    return false;
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
