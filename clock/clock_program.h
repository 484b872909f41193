// The clock program's state: its build, what its file makes it show (the build's defaults,
// or its own file's payload over them, with the texts after their defaults), those texts
// in the window system's form, and its built-in face. Made once at start-up and only read
// afterwards.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/clock_build.h"
#include "core/clock_content.h"
#include "platform/heap_block.h"
#include "platform/single_instance.h"

namespace tavimore {

struct ClockProgram {
  const wchar_t* buildName;     // the build's name from its marker, for titles
  ClockContent content;         // points into `payload`
  HeapBlock payload;            // the file's bytes from kPayloadOffset on, if any
  HeapBlock executable;         // full path of the program's own file (wchar_t text)
  wchar_t fileKey[kClockFileKeyLength + 1];  // its key, for what is kept per file; empty
                                             // when none could be made
  HeapBlock author;             // wchar_t text
  HeapBlock homePage;           // what the menu opens; empty when the address is refused
  HeapBlock mail;               // "mailto:" and the address; empty when refused
  HeapBlock builtInFace;        // the build's picture as a face image (uint32_t, bottom row
                                // first); empty for the plain colour
};

enum class StartResult {
  kReady,
  kAlreadyRunning,  // another clock from the same file runs: end silently
  kDamaged,         // the payload is damaged or the file unreadable: say so and end
};

// Steps of the start before the window: single instance, defaults, the payload, texts.
StartResult StartClockProgram(const ClockBuild& build, const wchar_t* buildName,
                              ClockProgram* program);

// The face under the hands of the build itself (no face images): its picture, decoded once
// at start, or the plain colour.
void LoadBuiltInFace(ClockProgram* program);

}  // namespace tavimore
