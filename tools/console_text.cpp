#include "tools/console_text.h"

#include <cstdint>

namespace tavimore {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The allowed range of the second byte after lead byte `lead`, as the Unicode standard's
// table of well-formed sequences gives it: narrower than 80..BF after E0, ED, F0 and F4,
// which is what keeps out overlong forms, surrogates and values past U+10FFFF. Returns the
// sequence length, or 0 for a byte that cannot start one.
int SequenceOf(uint8_t lead, uint8_t* low, uint8_t* high) {
  *low = 0x80;
  *high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) *low = 0xA0;
    if (lead == 0xED) *high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) *low = 0x90;
    if (lead == 0xF4) *high = 0x8F;
    return 4;
  }
  return 0;
}

void AppendCodePoint(char32_t cp, std::u16string* out) {
  if (cp < 0x10000) {
    out->push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    uint8_t low, high;
    const int length = SequenceOf(lead, &low, &high);
    if (length == 0) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    // Lead bits: 7 for one byte, then 5, 4 and 3.
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    int taken = 1;
    while (taken < length && i + taken < utf8.size()) {
      const auto next = static_cast<uint8_t>(utf8[i + taken]);
      if (next < low || next > high) break;
      cp = cp << 6 | (next & 0x3F);
      low = 0x80;  // only the second byte has a narrower range
      high = 0xBF;
      ++taken;
    }
    if (taken == length)
      AppendCodePoint(cp, &out);
    else
      out.push_back(kReplacement);  // the well-formed start of a sequence cut short
    i += taken;
  }
  return out;
}

size_t PieceEnd(std::u16string_view text, size_t start, size_t limit) {
  if (text.size() - start <= limit) return text.size();
  size_t end = start + limit;
  const char16_t last = text[end - 1];
  if (last >= 0xD800 && last <= 0xDBFF) --end;  // a high surrogate waits for its partner
  return end;
}

}  // namespace tavimore
