#include "tools/console_output.h"

#include <cstdio>

namespace tavimore {

// Terminals and files here take UTF-8 as it is.
void WriteText(OutputStream stream, std::string_view utf8) {
  std::FILE* file = stream == OutputStream::kOut ? stdout : stderr;
  std::fwrite(utf8.data(), 1, utf8.size(), file);
}

}  // namespace tavimore
