#include "core/cp932.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tavimore {
namespace {

#include "core/cp932_table.inc"

constexpr char32_t kBad = 0xFFFFFFFF;

// Appends the code for one code point, or "?" when the code page lacks it.
void AppendCp932(char32_t cp, std::string* out) {
  const auto* end = std::end(kUnicodeToCp932);
  const auto* it = std::lower_bound(std::begin(kUnicodeToCp932), end, cp,
                                    [](const uint16_t* e, char32_t c) { return e[0] < c; });
  if (cp > 0xFFFF || it == end || (*it)[0] != cp || cp == 0) {
    // Zero too: a clock text ends at its first zero byte.
    out->push_back('?');
    return;
  }
  const uint16_t code = (*it)[1];
  if (code > 0xFF) out->push_back(static_cast<char>(code >> 8));
  out->push_back(static_cast<char>(code & 0xFF));
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | cp >> 6));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | cp >> 12));
    out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Reads one UTF-8 sequence at s[*i]; returns kBad for a malformed one, consuming at
// least one byte.
char32_t NextUtf8(std::string_view s, size_t* i) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t b0 = byte((*i)++);
  if (b0 < 0x80) return b0;
  int more;
  char32_t cp;
  if (b0 >= 0xC2 && b0 <= 0xDF) { more = 1; cp = b0 & 0x1F; }
  else if (b0 >= 0xE0 && b0 <= 0xEF) { more = 2; cp = b0 & 0x0F; }
  else if (b0 >= 0xF0 && b0 <= 0xF4) { more = 3; cp = b0 & 0x07; }
  else return kBad;
  for (int k = 0; k < more; ++k) {
    if (*i >= s.size() || (byte(*i) & 0xC0) != 0x80) return kBad;
    cp = cp << 6 | (byte((*i)++) & 0x3F);
  }
  static const char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kBad;
  return cp;
}

char32_t DecodeCode(uint16_t code) {
  const auto* end = std::end(kCp932ToUnicode);
  const auto* it = std::lower_bound(std::begin(kCp932ToUnicode), end, code,
                                    [](const uint16_t* e, uint16_t c) { return e[0] < c; });
  return it != end && (*it)[0] == code ? (*it)[1] : kBad;
}

bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

std::string Cp932FromUtf8(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextUtf8(utf8, &i);
    AppendCp932(cp == kBad ? U'?' : cp, &out);
  }
  return out;
}

std::string Cp932FromUtf16(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;  // a character beyond the code page's reach: one "?" for the pair
      cp = 0x10000;
    }
    AppendCp932(cp, &out);
  }
  return out;
}

std::string Utf8FromCp932(std::string_view cp932) {
  std::string out;
  for (size_t i = 0; i < cp932.size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(cp932[i]);
    char32_t cp = kBad;
    if (IsLeadByte(b) && i + 1 < cp932.size()) {
      cp = DecodeCode(static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(cp932[i + 1])));
      if (cp != kBad) ++i;
    } else if (!IsLeadByte(b)) {
      cp = DecodeCode(b);
    }
    AppendUtf8(cp == kBad ? 0xFFFD : cp, &out);
  }
  return out;
}

}  // namespace tavimore
