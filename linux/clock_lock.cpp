#include "linux/clock_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace tavimore {

std::string ClockLockName(const std::string& canonicalPath) {
  // 64-bit FNV-1a: paths are not chosen to collide, and 64 bits keep accidental
  // collisions out of reach for any number of clocks a person runs.
  uint64_t hash = 14695981039346656037ull;
  for (const char c : canonicalPath) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char name[48];
  std::snprintf(name, sizeof name, "tavimore-clock-%016llx.lock",
                static_cast<unsigned long long>(hash));
  return name;
}

ClockLock ClaimClockFile(const std::string& canonicalPath, const std::string& folder, int* fd) {
  const std::string path = folder + "/" + ClockLockName(canonicalPath);
  *fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (*fd < 0) return ClockLock::kUnavailable;
  if (flock(*fd, LOCK_EX | LOCK_NB) == 0) return ClockLock::kHeld;
  const bool taken = errno == EWOULDBLOCK;
  close(*fd);
  *fd = -1;
  return taken ? ClockLock::kTaken : ClockLock::kUnavailable;
}

}  // namespace tavimore
