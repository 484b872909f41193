// Where tavimore's text goes: its output (JSON) and its messages, both UTF-8 inside the
// program.
//
// On Windows a stream that is a console gets the text as UTF-16 (WriteConsoleW), which
// every console shows right whatever its code page; a stream redirected to a file or a
// pipe gets the UTF-8 bytes unchanged, the encoding JSON is exchanged in, and the same
// bytes on every system and from the native build. Elsewhere both streams get UTF-8.
#pragma once

#include <string_view>

namespace tavimore {

enum class OutputStream { kOut, kErr };

// Writes `utf8` to the stream as it is (no line end added).
void WriteText(OutputStream stream, std::string_view utf8);

}  // namespace tavimore
