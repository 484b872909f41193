// Text as a Windows console takes it: UTF-16, handed over in pieces of bounded size.
//
// tavimore works on UTF-8 throughout; a console shows UTF-16 right whatever its code page
// (932 on a Japanese system), where UTF-8 bytes would be read in that code page and come
// out as garbage. Plain C++, so the conversion is tested on every machine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavimore {

// UTF-16 for UTF-8 text. Each malformed sequence (a stray continuation byte, a sequence cut
// short, an overlong form, a surrogate, a value past U+10FFFF) becomes one U+FFFD per
// maximal ill-formed part, the way the Unicode standard recommends, so a damaged name
// still shows, with a mark where it is damaged.
std::u16string Utf16FromUtf8(std::string_view utf8);

// Where the piece of `text` that starts at `start` ends when a piece holds at most `limit`
// code units (limit >= 2): `start + limit`, or the end of the text, moved back by one where
// it would part a surrogate pair.
size_t PieceEnd(std::u16string_view text, size_t start, size_t limit);

}  // namespace tavimore
