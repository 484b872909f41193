// The clock the benchmarks work on: the largest a payload can describe (255 face images)
// and a clock program of about the size ours have, so the figures are the worst case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/payload_writer.h"

namespace tavimore {

constexpr size_t kSampleDefinitionBytes = 30 * 1024;

// Texts, Pirrow's hands (all three long) and `images` face images of varied pixels.
PayloadContent SampleContent(int images);

// Bytes standing in for a clock program of kSampleDefinitionBytes.
std::vector<uint8_t> SampleDefinition();

}  // namespace tavimore
