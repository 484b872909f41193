// One clock per clock file, as on Windows: a clock holds an exclusive lock on a small file
// named after its clock file's canonical path, for as long as it runs. The system drops
// the lock when the process ends, however it ends, so no stale lock can keep a clock from
// starting.
#pragma once

#include <string>

namespace tavimore {

enum class ClockLock {
  kHeld,         // this process now holds the lock
  kTaken,        // another clock from the same file holds it
  kUnavailable,  // no lock could be made (no folder for it): run without one
};

// The lock file's name for a canonical clock file path: named after the clock file's key
// (clock_file_key.h), like all that is kept per clock file.
std::string ClockLockName(const std::string& canonicalPath);

// Takes the lock for `canonicalPath` in `folder`. When held, `*fd` stays open for the rest
// of the process's life.
ClockLock ClaimClockFile(const std::string& canonicalPath, const std::string& folder, int* fd);

}  // namespace tavimore
