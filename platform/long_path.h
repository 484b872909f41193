// Paths longer than the classic limit of MAX_PATH (260) characters: the wide file calls take
// them whole in their extended form "\\?\C:\..." (or "\\?\UNC\server\..."), whatever the
// system's long-path setting.
#pragma once

#include <string>

namespace tavimore {

// `path` (full, with a drive or a server) in the extended form when it is too long for the
// classic form; shorter paths, and ones already extended, unchanged.
std::wstring ExtendedLengthPath(const std::wstring& path);

}  // namespace tavimore
