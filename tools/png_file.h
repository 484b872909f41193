// Writing a picture as a PNG file. The picture is encoded in memory first and the file is
// replaced only once it is complete (core/write_file_atomically.h), so a failed write never
// leaves half a picture behind.
#pragma once

#include <cstdint>
#include <string>

namespace tavimore {

// `pixels`: `height` rows of `width` pixels, top row first, `channels` bytes per pixel
// (3: red, green, blue; 4: red, green, blue, alpha). Returns kExitDone, or kExitRefused
// after saying why.
int WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int channels);

}  // namespace tavimore
