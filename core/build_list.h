// The five clock builds by name, for tools that handle any clock.
#pragma once

#include <string_view>

#include "core/clock_build.h"

namespace tavimore {

constexpr int kBuildCount = 5;
extern const ClockBuild* const kAllBuilds[kBuildCount];

// The build called `name` (exact spelling), or null.
const ClockBuild* FindBuild(std::string_view name);

// The build whose marker stands in the given program bytes, or null. Every clock program
// carries the text "TavimoreClockBuild=" followed by its name and a zero byte.
const ClockBuild* DetectBuild(const uint8_t* bytes, size_t size);

}  // namespace tavimore
