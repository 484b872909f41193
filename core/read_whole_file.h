// Reading a whole file into memory, for the readers of clock files, definitions and
// pictures, which all work on byte buffers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavimore {

// Largest file read whole; more than any clock file can be (255 faces are 6.5 MB).
constexpr uintmax_t kMaxReadBytes = 64u << 20;

// False, with the reason in `error`, for a folder, a file that cannot be opened or read,
// and one larger than kMaxReadBytes.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                   std::string* error);

}  // namespace tavimore
