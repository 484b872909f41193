#include "linux/clock_file_key.h"

#include "core/clock_file_key.h"

namespace tavimore {

std::string ClockFileKey(std::string_view canonicalPath) {
  std::string key(kClockFileKeyDigits, '0');
  WriteClockFileKey(canonicalPath.data(), static_cast<int>(canonicalPath.size()),
                    KeyDigits::kLowerCase, key.data());
  return key;
}

}  // namespace tavimore
