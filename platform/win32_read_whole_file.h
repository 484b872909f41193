// Reading a whole file into memory through the wide file calls, for the editor's readers
// of definitions and pictures, which work on byte buffers. The same rules as
// core/read_whole_file.h, without the C++ library's streams.
#pragma once

#include <cstdint>
#include <vector>

namespace tavimore {

// False for a folder, a file that cannot be opened or read, and one larger than
// kMaxReadBytes. `path` takes the extended form "\\?\..." (long_path.h) for a long path.
bool ReadWholeFile(const wchar_t* path, std::vector<uint8_t>* bytes);

}  // namespace tavimore
