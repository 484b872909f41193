#include "core/clock_file.h"

#include "core/build_list.h"

namespace tavimore {

const ClockBuild* ClockFileBuild(const uint8_t* file, size_t size) {
  return DetectBuild(file, size < kPayloadOffset ? size : kPayloadOffset);
}

ClockOpen OpenClockFile(const uint8_t* file, size_t size, const ClockBuild* build,
                        ClockContent* content) {
  if (!build) build = ClockFileBuild(file, size);
  if (!build) return ClockOpen::kNotAClock;
  return size >= kPayloadOffset
             ? OpenClockPayload(*build, file + kPayloadOffset, size - kPayloadOffset, content)
             : OpenClockPayload(*build, nullptr, 0, content);
}

ClockOpen OpenAnyClockFile(const uint8_t* file, size_t size, const ClockBuild** named,
                           ClockContent* content) {
  *named = ClockFileBuild(file, size);
  return OpenClockFile(file, size, *named ? *named : kAllBuilds[0], content);
}

}  // namespace tavimore
