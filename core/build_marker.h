// The marker by which a clock program's bytes tell which build they are: this prefix,
// the build's name and a zero byte, kept in the program's read-only data. The prefix is
// also a macro, so that a clock can join it to its name as one string literal.
#pragma once

#define TAVIMORE_BUILD_MARKER_PREFIX "TavimoreClockBuild="

namespace tavimore {
constexpr char kBuildMarkerPrefix[] = TAVIMORE_BUILD_MARKER_PREFIX;
}  // namespace tavimore
