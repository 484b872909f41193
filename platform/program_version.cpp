#include "platform/program_version.h"

#include <windows.h>

#include <cstring>

namespace tavimore {

bool ReadProgramVersion(ProgramVersion* version) {
  // Read straight from the resource rather than through the version library: the fixed
  // part of the version block starts with its signature, and holds the file version as
  // major.minor in one 32-bit word and revision.build in the next.
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (!found) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  const DWORD size = SizeofResource(nullptr, found);
  if (!bytes) return false;
  for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= size; i += 4) {
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes + i, sizeof info);
    if (info.dwSignature != 0xFEEF04BD) continue;
    version->major = HIWORD(info.dwFileVersionMS);
    version->minor = LOWORD(info.dwFileVersionMS);
    version->revision = HIWORD(info.dwFileVersionLS);
    return true;
  }
  return false;
}

}  // namespace tavimore
