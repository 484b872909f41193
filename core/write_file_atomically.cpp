#include "core/write_file_atomically.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

#include "core/file_error.h"
#include "core/replace_wait.h"

namespace tavimore {
namespace {

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

// MinGW's std::filesystem::rename reports MoveFileEx's "access denied" as EACCES and every
// other failure, the sharing violation among them, as EIO; on other systems rename fails
// with these for no passing reason, and then the wait is only a short delay.
bool MayPass(const std::error_code& ec) {
  return ec == std::errc::permission_denied || ec == std::errc::io_error;
}

}  // namespace

std::error_code ReplaceRetrying(const std::function<std::error_code()>& replace, int attempts,
                                std::chrono::milliseconds pause) {
  std::error_code ec = replace();
  for (int i = 1; i < attempts && MayPass(ec); ++i) {
    std::this_thread::sleep_for(pause);
    ec = replace();
  }
  return ec;
}

bool WriteFileAtomically(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                         std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) {
    *error = DescribeFileError(target, "is a folder", 0);
    return false;
  }
  const std::filesystem::path temp = TemporaryBeside(target);
  std::FILE* out = OpenForWriting(temp);
  if (!out) {
    *error = DescribeFileError(temp, "cannot be created", errno);
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
    *error = DescribeFileError(temp, "could not be written completely", err);
    return false;
  }
  ec = ReplaceRetrying(
      [&] {
        std::error_code replaced;
        std::filesystem::rename(temp, target, replaced);
        return replaced;
      },
      kReplaceAttempts, std::chrono::milliseconds(kReplacePauseMs));
  if (ec) {
    *error = target.u8string() + ": could not be replaced (" + ec.message() + ")";
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace tavimore
