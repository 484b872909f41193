// Writing a file so that it is never lost half-written: the new contents go to a temporary
// file beside the target, which takes the target's place only once every byte is written.
// On any failure the old file, if there is one, stays as it was, byte for byte.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace tavimore {

// False, with the reason in `error` and no temporary file left behind, when the target is
// a folder, the temporary file cannot be made or written (a full disk shows at the close),
// or it cannot take the target's place, even after the moment ReplaceRetrying waits.
bool WriteFileAtomically(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                         std::string* error);

// Calls `replace` until it succeeds, fails for a reason that waiting does not mend, or has
// been called `attempts` times, `pause` apart; returns its last result. On Windows a file
// cannot be replaced for a moment while another program has it open (a virus scanner
// reading the new file, usually) or while a program that ran from it is still ending.
std::error_code ReplaceRetrying(const std::function<std::error_code()>& replace, int attempts,
                                std::chrono::milliseconds pause);

}  // namespace tavimore
