// How a failed file call is told, in the form core/file_error.h gives the programs that
// report through the C library: one line naming the file, what went wrong and, where the
// system gave one, its reason ("C:\clocks\oriclock.exe.partial0: could not be written
// completely (No space left on device)"). The reasons are the C library's words for the
// same failures, so a message reads the same whichever layer made the call.
#pragma once

#include <windows.h>

#include <string>

namespace tavimore {

// The C library's text for the error number it gives a failed call with GetLastError's
// `error` (a full disk: "No space left on device"; a folder we may not write to, or a file
// another program holds: "Permission denied").
const wchar_t* FileFailureReason(DWORD error);

// "PATH: WHAT (REASON)", the reason left out when `error` is 0 (ERROR_SUCCESS).
std::wstring DescribeFileFailure(const std::wstring& path, const wchar_t* what, DWORD error);

}  // namespace tavimore
