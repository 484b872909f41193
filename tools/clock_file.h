// A clock file as the commands that read one see it: a clock program, perhaps followed by
// a payload from kPayloadOffset on. The whole file is read at once; a clock file is at
// most a few megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/clock_build.h"
#include "core/clock_settings.h"
#include "core/payload_reader.h"

namespace tavimore {

struct ClockFile {
  std::string path;  // as given, for messages
  std::vector<uint8_t> bytes;
  // The build whose marker stands in the program part (the first kPayloadOffset bytes),
  // or null.
  const ClockBuild* build = nullptr;
  bool hasPayload = false;
  DecodedPayload payload{};  // valid when hasPayload

  const uint8_t* PayloadBytes() const { return bytes.data() + kPayloadOffset; }
  size_t PayloadSize() const { return bytes.size() - kPayloadOffset; }
};

// Reads and decodes the clock file at `path` (UTF-8). Returns kExitDone, or, after saying
// why, kExitRefused when the file cannot be read and kExitDamaged when its payload is
// damaged.
int ReadClockFile(const std::string& path, ClockFile* file);

// The settings the clock in `file` starts with when it is `build`: the build's defaults
// with the payload, if any, over them.
int ReadClockSettings(const ClockFile& file, const ClockBuild& build, ClockSettings* settings);

}  // namespace tavimore
