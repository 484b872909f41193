// The key of a clock file on Linux (core/clock_file_key.h): over the bytes of its canonical
// path, in lower-case digits. It names the clock's kept place, its login entry and its lock.
#pragma once

#include <string>
#include <string_view>

namespace tavimore {

std::string ClockFileKey(std::string_view canonicalPath);

}  // namespace tavimore
