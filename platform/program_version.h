// The program's own version, as its version resource states it.
#pragma once

namespace tavimore {

struct ProgramVersion {
  int major, minor, revision;
};

// False when the program carries no version resource.
bool ReadProgramVersion(ProgramVersion* version);

}  // namespace tavimore
