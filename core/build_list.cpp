#include "core/build_list.h"

#include <cstring>

#include "core/build_marker.h"

namespace tavimore {

const ClockBuild* const kAllBuilds[kBuildCount] = {
#define TAVIMORE_BUILD(name) &k##name##Build,
#include "core/builds/all_builds.inc"
#undef TAVIMORE_BUILD
};

const ClockBuild* FindBuild(std::string_view name) {
  for (const ClockBuild* b : kAllBuilds)
    if (name == b->name) return b;
  return nullptr;
}

const ClockBuild* DetectBuild(const uint8_t* bytes, size_t size) {
  const size_t prefix = sizeof(kBuildMarkerPrefix) - 1;
  for (size_t i = 0; i + prefix < size; ++i) {
    if (bytes[i] != kBuildMarkerPrefix[0] || std::memcmp(bytes + i, kBuildMarkerPrefix, prefix) != 0)
      continue;
    const size_t start = i + prefix;
    size_t end = start;
    while (end < size && bytes[end] != 0) ++end;
    if (end == size) return nullptr;
    const std::string_view name(reinterpret_cast<const char*>(bytes + start), end - start);
    if (const ClockBuild* b = FindBuild(name)) return b;
  }
  return nullptr;
}

}  // namespace tavimore
