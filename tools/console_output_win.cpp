#include <windows.h>

#include <cstdio>

#include "tools/console_output.h"
#include "tools/console_text.h"

namespace tavimore {
namespace {

// Code units per WriteConsoleW call: older consoles refuse one write much over 64 KB, and
// 8192 units (16 KB) stay far below that.
constexpr size_t kPieceUnits = 8192;

// Writes the text to a console; returns how many code units it took (all of them, unless
// the console refused part of it).
size_t WriteToConsole(HANDLE console, const std::u16string& text) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = PieceEnd(text, start, kPieceUnits);
    DWORD written = 0;
    if (!WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.data() + start),
                       static_cast<DWORD>(end - start), &written, nullptr) ||
        written == 0)
      break;
    start += written;
  }
  return start;
}

}  // namespace

void WriteText(OutputStream stream, std::string_view utf8) {
  std::FILE* file = stream == OutputStream::kOut ? stdout : stderr;
  const HANDLE handle = GetStdHandle(stream == OutputStream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode;
  // GetConsoleMode succeeds for a console only: a file, a pipe or nothing at all fails it.
  if (handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(file);  // what the C runtime still holds comes first
    const std::u16string text = Utf16FromUtf8(utf8);
    // A console that takes nothing (a closed one) gets the bytes the ordinary way instead.
    if (text.empty() || WriteToConsole(handle, text) > 0) return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), file);
}

}  // namespace tavimore
