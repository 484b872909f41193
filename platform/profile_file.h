// Values in an initialization file: a "[section]" line, then "key=value" lines, the text in
// the system's ANSI code page, the form the window system's profile calls read and write.
// The file name goes through the wide calls, so that a settings file in any folder works;
// the calls still keep the file itself in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace tavimore {

// Longest value read back, in bytes of the ANSI code page: what a 255-byte buffer holds
// besides its terminating zero.
constexpr int kMaxProfileValueBytes = 254;

// The value, cut to at most kMaxProfileValueBytes bytes of the ANSI code page (never in the
// middle of a character); empty when the file, the section or the key is missing.
std::wstring ReadProfileValue(const wchar_t* section, const wchar_t* key, const wchar_t* file);

// Writes one value; an empty value stays in the file as "key=". False when the file could
// not be written (callers have no remedy and may ignore it).
bool WriteProfileValue(const wchar_t* section, const wchar_t* key, const std::wstring& value,
                       const wchar_t* file);

}  // namespace tavimore
