// A whole clock file as the programs that show any clock read it: the build its program
// part names, then its content (clock_content.h). The clock program itself knows its
// build and reads only its payload.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/clock_content.h"

namespace tavimore {

// The content of the clock file `file` (its bytes must outlive the content), as `build`,
// or as the build its program part names when `build` is null (kNotAClock when it names
// none). A file shorter than kPayloadOffset has no payload.
ClockOpen OpenClockFile(const uint8_t* file, size_t size, const ClockBuild* build,
                        ClockContent* content);

}  // namespace tavimore
