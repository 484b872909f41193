// The marker by which a clock program's bytes tell which build they are: this prefix,
// the build's name and a zero byte, kept in the program's read-only data.
#pragma once

namespace tavimore {
constexpr char kBuildMarkerPrefix[] = "TavimoreClockBuild=";
}  // namespace tavimore
