// Modal message boxes with an OK button.
#pragma once

#include <windows.h>

namespace tavimore {

// Waits until the box is closed. `owner` may be null (before the window exists).
void ShowInformation(HWND owner, const wchar_t* text, const wchar_t* title);
void ShowStop(HWND owner, const wchar_t* text, const wchar_t* title);

}  // namespace tavimore
