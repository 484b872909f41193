// Building a clock file: a clock program's bytes (the definition) cut or zero-filled to
// exactly kPayloadOffset bytes, then the payload.
#pragma once

#include <cstdint>
#include <vector>

#include "core/payload_writer.h"

namespace tavimore {

// The whole clock file; false, with `out` untouched, when the payload cannot be encoded
// (no image, or more than 255).
bool BuildClockBytes(const std::vector<uint8_t>& definition, const PayloadContent& content,
                     std::vector<uint8_t>* out);

}  // namespace tavimore
