// Ending the clock that runs from a given file, so that the file can be made again: Windows
// lets nobody replace or delete the file of a running program.
#pragma once

#include <windows.h>

namespace tavimore {

// The class every clock's window is of: how the editor and other clocks find them.
constexpr wchar_t kClockWindowClass[] = L"TavimoreClock";

// Asks the clock windows whose processes run from the file at `clockPath` to close, as the
// clock's own menu item 終了 does, and waits a moment for those processes to end. True
// when no clock from that file runs any more.
bool EndRunningClock(const wchar_t* clockPath);

}  // namespace tavimore
