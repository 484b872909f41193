// Text in code page 932 (Shift-JIS as the window system defines it), the form of a
// clock's three texts on every system, so that clocks stay interchangeable.
//
// Conversion is table-driven and identical on every platform. A character the code page
// lacks becomes "?", the code page's default character (no best-fit guessing), and so does
// every malformed UTF-8 sequence. Decoding maps a byte sequence that is not valid code page
// 932 to U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace tavimore {

std::string Cp932FromUtf8(std::string_view utf8);
std::string Utf8FromCp932(std::string_view cp932);

// The same for UTF-16 text, as the window system hands it over.
std::string Cp932FromUtf16(std::u16string_view text);

}  // namespace tavimore
