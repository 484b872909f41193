// F1's dialogue with the user: the clock built from the editor's inputs, the questions
// before an old "oriclock.exe" is replaced, the file written, and what went wrong told.
#pragma once

#include <windows.h>

#include <string>

#include "editor/build_clock.h"

namespace tavimore {

enum class MakeOutcome {
  kWritten,
  kNotWritten,    // the user was told why; an old file stays as it was
  kCancelled,     // the user answered No
  kNoDefinition,  // told so; the editor cannot go on without its files
};

// Writes "oriclock.exe" into `folder` (ending with a backslash), with message boxes owned
// by `owner`. The new file replaces an old one only when it is complete; a clock running
// from it is ended first when the user agrees, since Windows does not let a running
// program's file be replaced.
MakeOutcome MakeClockFile(HWND owner, const std::wstring& folder, const ClockInputs& inputs);

}  // namespace tavimore
