// A whole clock file as the programs that show any clock read it: the build its program
// part names, then its content (clock_content.h). The clock program itself knows its
// build and reads only its payload.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/clock_content.h"

namespace tavimore {

// The build whose marker stands in the program part of `file` (its first kPayloadOffset
// bytes), or null.
const ClockBuild* ClockFileBuild(const uint8_t* file, size_t size);

// The content of the clock file `file` (its bytes must outlive the content), as `build`,
// or as the build its program part names when `build` is null (kNotAClock when it names
// none). A file shorter than kPayloadOffset has no payload.
ClockOpen OpenClockFile(const uint8_t* file, size_t size, const ClockBuild* build,
                        ClockContent* content);

// The content of `file` for the tools that show and edit any clock file, the command line
// and the web page: as the build its program part names, else as the first build
// (kAllBuilds[0]), since the payload's own fields are the file's whichever build reads
// them. Sets `*named` to the build named, or null, before opening; never kNotAClock.
ClockOpen OpenAnyClockFile(const uint8_t* file, size_t size, const ClockBuild** named,
                           ClockContent* content);

}  // namespace tavimore
