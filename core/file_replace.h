// Reading a whole file, and replacing a file so that it is never lost half-written: the new
// contents go to a temporary file beside it, which takes the old file's place only once
// every byte is written. On any failure the old file stays as it was, byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavimore {

// Largest file read whole; more than any clock file can be (255 faces are 6.5 MB).
constexpr uintmax_t kMaxReadBytes = 64u << 20;

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                   std::string* error);

bool ReplaceFile(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                 std::string* error);

}  // namespace tavimore
