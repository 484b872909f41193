// How many frames a GIF holds, counted from its records without decoding any, so that a
// list of pictures can be judged by its number of faces before any is decoded.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

// The whole frames of the file: 0 for a file that is not a GIF; a file cut or damaged
// inside a frame counts the frames before it.
int64_t CountGifFrames(const uint8_t* bytes, size_t size);

}  // namespace tavimore
