#include "core/menu_address.h"

#include <cstring>

namespace tavimore {
namespace {

// The length of a zero-ended text. The clock links no C library: std::strlen would be the
// one function it imported from one.
size_t TextLength(const char* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

// Control characters and spaces end an address on a command line, and a quote would let
// the rest of the text become the handler's own arguments.
bool SafeForCommandLine(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c <= 0x20 || c == 0x7F || c == '"') return false;
  }
  return true;
}

bool StartsWithNoCase(const char* text, size_t length, const char* prefix) {
  const size_t n = TextLength(prefix);
  if (length < n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

size_t Join(const char* prefix, const char* text, size_t length, char* out) {
  const size_t n = TextLength(prefix);
  std::memcpy(out, prefix, n);
  std::memcpy(out + n, text, length);
  out[n + length] = 0;
  return n + length;
}

}  // namespace

size_t HomePageTarget(const char* text, size_t length, char* out) {
  if (!SafeForCommandLine(text, length)) return 0;
  static const char* const kSchemes[] = {"http://", "https://"};
  for (const char* scheme : kSchemes)
    if (StartsWithNoCase(text, length, scheme) && length > TextLength(scheme))
      return Join("", text, length, out);
  if (StartsWithNoCase(text, length, "www.") && length > 4) return Join("http://", text, length, out);
  return 0;
}

size_t MailTarget(const char* text, size_t length, char* out) {
  if (length == 0 || !SafeForCommandLine(text, length)) return 0;
  // A plain address only: parameters after "?" (attach=, body=) have made mail programs
  // attach local files, and "&" joins more of them.
  for (size_t i = 0; i < length; ++i)
    if (text[i] == '?' || text[i] == '&') return 0;
  return Join("mailto:", text, length, out);
}

}  // namespace tavimore
