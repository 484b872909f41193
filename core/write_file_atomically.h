// Writing a file so that it is never lost half-written: the new contents go to a temporary
// file beside the target, which takes the target's place only once every byte is written.
// On any failure the old file, if there is one, stays as it was, byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavimore {

// False, with the reason in `error` and no temporary file left behind, when the target is
// a folder, the temporary file cannot be made or written (a full disk shows at the close),
// or it cannot take the target's place.
bool WriteFileAtomically(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                         std::string* error);

}  // namespace tavimore
