// Opening an address with the system's default handler (a browser, a mail program).
#pragma once

#include <windows.h>

#include "platform/handle_owners.h"

namespace tavimore {

// Opens `target` on a thread of its own, so that a handler slow to start never stops the
// caller (the clock's seconds go on), with COM set up on that thread as the shell asks for
// handlers started through COM (apartment-threaded, OLE1 DDE off), and with no working
// folder of the caller's choosing, so a browser started that way does not hold the
// clock's folder. `opening` holds that thread; an earlier one it held is finished first.
// The outcome is not reported: the clock has no remedy for a missing handler.
void OpenWithShell(const wchar_t* target, KernelHandle* opening);

// Waits for the thread in `opening`, for a few seconds at most: a process that ends takes
// its threads with it, and an address chosen just before the clock is closed would
// otherwise never open.
void FinishOpening(KernelHandle* opening);

}  // namespace tavimore
