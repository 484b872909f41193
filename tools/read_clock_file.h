// A clock file as the commands that read one see it: a clock program, perhaps followed by
// a payload from kPayloadOffset on, opened by the core as every front end opens it. The
// whole file is read at once; a clock file is at most a few megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/clock_build.h"
#include "core/clock_content.h"

namespace tavimore {

struct ClockFile {
  std::string path;  // as given, for messages
  std::vector<uint8_t> bytes;
  // The build whose marker stands in the program part (the first kPayloadOffset bytes),
  // or null.
  const ClockBuild* build = nullptr;
  bool hasPayload = false;
  // What the clock shows, as `build`, or as the first build when the file names none:
  // the payload's own fields are the file's either way.
  ClockContent content{};
};

// Reads and opens the clock file at `path` (UTF-8). Returns kExitDone, or, after saying
// why, kExitRefused when the file cannot be read and kExitDamaged when its payload is
// damaged.
int ReadClockFile(const std::string& path, ClockFile* file);

// What the clock in `file` shows when it is `build`.
int OpenClockAs(const ClockFile& file, const ClockBuild& build, ClockContent* content);

}  // namespace tavimore
