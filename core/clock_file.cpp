#include "core/clock_file.h"

#include "core/build_list.h"

namespace tavimore {

ClockOpen OpenClockFile(const uint8_t* file, size_t size, const ClockBuild* build,
                        ClockContent* content) {
  const bool hasPayload = size >= kPayloadOffset;
  if (!build) build = DetectBuild(file, hasPayload ? kPayloadOffset : size);
  if (!build) return ClockOpen::kNotAClock;
  return hasPayload ? OpenClockPayload(*build, file + kPayloadOffset, size - kPayloadOffset, content)
                    : OpenClockPayload(*build, nullptr, 0, content);
}

}  // namespace tavimore
