#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"

namespace tavimore {
namespace {

// Test that texts take the bytes a Japanese system writes for them.
TEST(Cp932, EncodesAsTheWindowSystemDoes) {
  struct Case {
    const char* utf8;
    std::string cp932;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"あ", "\x82\xA0"},
      {"山田", "\x8E\x52\x93\x63"},
      {"ｶﾅ", "\xB6\xC5"},              // half-width katakana are single bytes
      {"～", "\x81\x60"},              // full-width tilde: the window system's choice
      {"①", "\x87\x40"},              // an NEC special character
      {"\\~", "\\~"},                  // ASCII stays ASCII
      {"é", "?"},                      // not in the code page: the default character
      {"😀", "?"},                     // beyond the basic plane: one "?" for it
      {"a\xFF" "b", "a?b"},            // malformed UTF-8
      {"\xE3\x81", "?"},               // a cut sequence
      {"\xC0\xAF", "??"},              // an overlong form is not a "/"
  };
  for (const Case& c : cases) EXPECT_EQ(Cp932FromUtf8(c.utf8), c.cp932) << c.utf8;
  EXPECT_EQ(Cp932FromUtf8(std::string("a\0b", 3)), "a?b") << "a zero would end the field";
}

TEST(Cp932, Utf16InputAndSurrogatePairs) {
  EXPECT_EQ(Cp932FromUtf16(u"山田ｶﾅ"), "\x8E\x52\x93\x63\xB6\xC5");
  EXPECT_EQ(Cp932FromUtf16(u"a\U0001F600b"), "a?b");
  EXPECT_EQ(Cp932FromUtf16(std::u16string(1, char16_t(0xD800))), "?");
}

TEST(Cp932, DecodesAndRejectsBrokenSequences) {
  EXPECT_EQ(Utf8FromCp932("\x8E\x52\x93\x63 \xB6\xC5"), "山田 ｶﾅ");
  EXPECT_EQ(Utf8FromCp932("\x87\x90"), "≒");  // NEC duplicate of 81 E0
  EXPECT_EQ(Utf8FromCp932("a\x82"), "a\xEF\xBF\xBD");     // lead byte at the end
  EXPECT_EQ(Utf8FromCp932("\x82\x20"), "\xEF\xBF\xBD ");  // invalid trail byte
}

TEST(Cp932, EveryEncodableTextRoundTrips) {
  const std::string text = "時計 Brenwick ﾄｹｲ ㈱ ＡＢＣ ー～∥－￠￡￢";
  EXPECT_EQ(Utf8FromCp932(Cp932FromUtf8(text)), text);
}

}  // namespace
}  // namespace tavimore
