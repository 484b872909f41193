// How long a new file is offered again when it cannot take an old file's place at once:
// on Windows a file cannot be replaced for a moment while another program has it open (a
// virus scanner reading the new file, usually) or while a program that ran from it is
// still ending. Both ways of writing a file atomically (core/ and platform/) wait alike.
#pragma once

namespace tavimore {

// Half a second in all: longer than a scanner holds a new file, short enough not to be
// noticed when the failure stays.
constexpr int kReplaceAttempts = 6;
constexpr int kReplacePauseMs = 100;

}  // namespace tavimore
