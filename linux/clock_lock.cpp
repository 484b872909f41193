#include "linux/clock_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "core/fnv_hash.h"

namespace tavimore {

std::string ClockLockName(const std::string& canonicalPath) {
  uint64_t hash = kFnvStart;
  for (const char c : canonicalPath) hash = FnvStep(hash, static_cast<unsigned char>(c));
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
