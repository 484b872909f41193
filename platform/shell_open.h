// Opening an address with the system's default handler (a browser, a mail program).
#pragma once

#include <windows.h>

namespace tavimore {

// Opens `target` on a thread of its own, so that a handler slow to start never stops the
// caller (the clock's seconds go on), with COM set up on that thread as the shell asks for
// handlers started through COM (apartment-threaded, OLE1 DDE off), and with no working
// folder of the caller's choosing, so a browser started that way does not hold the
// clock's folder. The outcome is not reported: the clock has no remedy for a missing
// handler.
void OpenWithShell(const wchar_t* target);

}  // namespace tavimore
