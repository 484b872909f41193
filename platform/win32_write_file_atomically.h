// Writing a file so that it is never lost half-written, through the wide file calls: the
// new contents go to a temporary file beside the target, which takes the target's place
// only once every byte is written. On any failure the old file, if there is one, stays as
// it was, byte for byte. The same rules and messages as core/write_file_atomically.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavimore {

// False, with the reason in `error` (file_failure.h) and no temporary file left behind,
// when the target is a folder, the temporary file cannot be made or written, or it cannot
// take the target's place, even after the moment core/replace_wait.h allows. `target` takes
// the extended form "\\?\..." (long_path.h) for a long path.
bool WriteFileAtomically(const std::wstring& target, const std::vector<uint8_t>& bytes,
                         std::wstring* error);

}  // namespace tavimore
