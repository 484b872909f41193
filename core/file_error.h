// How a failed file operation is told: one line naming the file, what went wrong and, where
// the system gave one, its reason ("oriclock.exe: could not be written completely (No
// space left on device)"), so that a full disk or a missing right says so.
#pragma once

#include <filesystem>
#include <string>

namespace tavimore {

// `err` is the C library's error number, or 0 when there is no reason to add.
std::string DescribeFileError(const std::filesystem::path& path, const char* what, int err);

}  // namespace tavimore
