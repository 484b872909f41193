// Whether a clock program runs from a given file now. On Windows its file cannot be
// replaced then, and `tavimore build --force` says so rather than fail on the write; other
// systems let a running program's file be replaced, and no clock counts as running there.
#pragma once

#include <filesystem>

namespace tavimore {

bool IsClockRunning(const std::filesystem::path& path);

}  // namespace tavimore
