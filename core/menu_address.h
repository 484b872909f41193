// What the clock's menu may hand to the system to open. A built clock's addresses come
// from a file anyone can make, and opening an arbitrary text would start programs or open
// files; so only web and mail addresses pass.
//
// The texts are code page 932 bytes, as the payload holds them. In that code page a byte
// below 0x40 is never the second byte of a character, so checking single bytes for
// control characters and quotes is exact.
#pragma once

#include <cstddef>

namespace tavimore {

// Room the results below may need beyond the text itself.
constexpr size_t kAddressPrefixRoom = 8;

// The home page to open: the text itself when it starts with "http://" or "https://" (in
// any case), "http://" and the text when it starts with "www.". Writes it with a zero
// byte into `out` (capacity at least length + kAddressPrefixRoom) and returns its length;
// 0 when the text is not to be opened.
size_t HomePageTarget(const char* text, size_t length, char* out);

// "mailto:" and the address, written as above; 0 when the address is empty, holds a
// character that could break out of the handler's command line, or carries parameters
// ("?" or "&"): the mail item opens a plain address only.
size_t MailTarget(const char* text, size_t length, char* out);

}  // namespace tavimore
