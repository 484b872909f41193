// The clock builds by name, for tools that handle any clock.
#pragma once

#include <string_view>

#include "core/clock_build.h"

namespace tavimore {

#define TAVIMORE_BUILD(name) +1
constexpr int kBuildCount = 0
#include "core/builds/all_builds.inc"
    ;
#undef TAVIMORE_BUILD
// Every build, in the order of all_builds.inc.
extern const ClockBuild* const kAllBuilds[kBuildCount];

// The build called `name` (exact spelling), or null.
const ClockBuild* FindBuild(std::string_view name);

// The build whose marker stands in the given program bytes, or null. Every clock program
// carries kBuildMarkerPrefix (build_marker.h) followed by its name and a zero byte.
const ClockBuild* DetectBuild(const uint8_t* bytes, size_t size);

}  // namespace tavimore
