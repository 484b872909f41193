// Tests of what the clock's menu hands to the system to open: only web and mail
// addresses, never a program, a file or a text that breaks out of a command line.
#include "core/menu_address.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimore {
namespace {

std::string Apply(size_t (*target)(const char*, size_t, char*), const std::string& text) {
  std::string out(text.size() + kAddressPrefixRoom, '#');
  const size_t n = target(text.data(), text.size(), out.data());
  if (n == 0) return "(refused)";
  EXPECT_EQ(out[n], '\0') << "the result ends in a zero byte";
  return out.substr(0, n);
}

struct Case {
  std::string text;
  std::string expected;
};

// Test that the home page opens only as an http or https address, and that a bare "www."
// address becomes an http one.
TEST(MenuAddress, HomePageIsOnlyAWebAddress) {
  const Case cases[] = {
      {"http://example.com/", "http://example.com/"},
      {"https://example.com/a?b=c#d", "https://example.com/a?b=c#d"},
      {"HTTPS://EXAMPLE.COM/", "HTTPS://EXAMPLE.COM/"},
      {"www.example.com", "http://www.example.com"},
      {"WWW.example.com/x", "http://WWW.example.com/x"},
      {"http://\x93\xfa\x96\x7b.example/", "http://\x93\xfa\x96\x7b.example/"},  // code page 932
      {"", "(refused)"},
      {"http://", "(refused)"},
      {"www.", "(refused)"},
      {"example.com", "(refused)"},
      {"file:///C:/Windows/System32/calc.exe", "(refused)"},
      {"C:\\Windows\\System32\\calc.exe", "(refused)"},
      {"calc", "(refused)"},
      {"javascript:alert(1)", "(refused)"},
      {"mailto:someone@example.com", "(refused)"},
      {"ftp://example.com/", "(refused)"},
      {" http://example.com/", "(refused)"},
      {"http://example.com/\" --evil", "(refused)"},
      {"http://example.com/ x", "(refused)"},
      {"http://example.com/\r\nx", "(refused)"},
      {"http://example.com/\x7f", "(refused)"},
      {"httpx://example.com/", "(refused)"},
  };
  for (const Case& c : cases) EXPECT_EQ(Apply(HomePageTarget, c.text), c.expected) << c.text;
}

// Test that the mail item opens "mailto:" and the address, unless the address is empty,
// holds a control character, a space or a quote, or carries parameters.
TEST(MenuAddress, MailIsMailtoAndTheAddress) {
  const Case cases[] = {
      {"someone@example.com", "mailto:someone@example.com"},
      {"a.b+c@example.co.jp", "mailto:a.b+c@example.co.jp"},
      {"a@example.jp?attach=C:\\Windows\\win.ini", "(refused)"},
      {"a@example.jp&attach=x", "(refused)"},
      {"\x8e\x52\x93\x63@example.jp", "mailto:\x8e\x52\x93\x63@example.jp"},  // code page 932
      {"", "(refused)"},
      {"someone@example.com\n", "(refused)"},
      {"\tsomeone@example.com", "(refused)"},
      {"someone@example.com\" /c calc", "(refused)"},
      {"some one@example.com", "(refused)"},
  };
  for (const Case& c : cases) EXPECT_EQ(Apply(MailTarget, c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace tavimore
