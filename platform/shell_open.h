// Opening an address with the system's default handler (a browser, a mail program).
#pragma once

#include <windows.h>

namespace tavimore {

// Opens `target` with `folder` as working folder; the outcome is not reported, since the
// clock has no remedy for a missing handler.
void OpenWithShell(const wchar_t* target, const wchar_t* folder);

}  // namespace tavimore
