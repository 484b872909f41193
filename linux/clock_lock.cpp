#include "linux/clock_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "linux/clock_file_key.h"

namespace tavimore {

std::string ClockLockName(const std::string& canonicalPath) {
  return "tavimore-clock-" + ClockFileKey(canonicalPath) + ".lock";
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
