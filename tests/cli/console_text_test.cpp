#include "tools/console_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tavimore {
namespace {

std::string Utf8(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

std::string Hex(const std::u16string& s) {
  std::string out;
  char unit[8];
  for (char16_t c : s) {
    std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(c));
    out += unit;
  }
  return out;
}

// Test that every scalar value at the edges of each UTF-8 length and of the surrogate
// block comes back as itself, one unit or a surrogate pair.
TEST(ConsoleText, ScalarValuesComeBackWhole) {
  for (char32_t cp : {0x0u, 0x41u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0x6642u, 0xD7FFu, 0xE000u, 0xFFFDu,
                      0xFFFFu, 0x10000u, 0x1F550u, 0x10FFFFu}) {
    const std::u16string got = Utf16FromUtf8(Utf8(cp));
    std::u16string want;
    if (cp < 0x10000) {
      want.push_back(static_cast<char16_t>(cp));
    } else {
      want.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      want.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    }
    EXPECT_EQ(got, want) << std::hex << static_cast<unsigned>(cp) << ": " << Hex(got);
  }
}

TEST(ConsoleText, JapanesePathKeepsEveryCharacter) {
  // "C:\時計\ようこそ.exe", as a JSON text would carry it.
  const std::u16string got = Utf16FromUtf8("C:\\\xE6\x99\x82\xE8\xA8\x88\\\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D.exe");
  EXPECT_EQ(got, u"C:\\\u6642\u8A08\\\u3088\u3046\u3053\u305D.exe") << Hex(got);
}

// Test that damaged text shows a mark for each maximal ill-formed part and loses none of
// the good text around it (the Unicode standard's recommended practice).
TEST(ConsoleText, DamagedSequencesBecomeReplacementMarks) {
  const struct {
    const char* name;
    std::string bytes;
    std::u16string want;
  } cases[] = {
      {"stray continuation", "a\x80z", u"a\uFFFDz"},
      {"cut short before ASCII", "\xE6\x99z", u"\uFFFDz"},
      {"cut short at the end", "z\xF0\x9F\x95", u"z\uFFFD"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"no lead byte F5", "\xF5z", u"\uFFFDz"},
      {"lead then lead", "\xE6\xE6\x99\x82", u"\uFFFD\u6642"},
      {"code page 932 bytes", "\x8E\x9E\x8C\x76", u"\uFFFD\uFFFD\uFFFDv"},  // 時計; 0x76 is "v"
  };
  for (const auto& c : cases) {
    const std::u16string got = Utf16FromUtf8(c.bytes);
    EXPECT_EQ(got, c.want) << c.name << ": " << Hex(got);
  }
}

// Test that a long text is handed over in pieces that never part a surrogate pair and
// together cover it all.
TEST(ConsoleText, PiecesNeverPartASurrogatePair) {
  std::u16string text;
  for (int i = 0; i < 100; ++i) text += (i % 3 == 0) ? u"\U0001F550" : u"a";
  for (size_t limit : {2u, 3u, 7u, 64u, 1000u}) {
    size_t start = 0, pieces = 0;
    while (start < text.size()) {
      const size_t end = PieceEnd(text, start, limit);
      ASSERT_GT(end, start) << limit;
      ASSERT_LE(end - start, limit) << limit;
      const char16_t last = text[end - 1];
      EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF) << "limit " << limit << " ends at " << end;
      start = end;
      ++pieces;
    }
    EXPECT_EQ(start, text.size());
    EXPECT_GE(pieces, (text.size() + limit - 1) / limit) << limit;
  }
}

}  // namespace
}  // namespace tavimore
