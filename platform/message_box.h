// Modal message boxes: notices with an OK button, and a question with Yes and No.
#pragma once

#include <windows.h>

namespace tavimore {

// Waits until the box is closed. `owner` may be null (before the window exists).
void ShowInformation(HWND owner, const wchar_t* text, const wchar_t* title);
void ShowStop(HWND owner, const wchar_t* text, const wchar_t* title);
// With the information icon.
void ShowNotice(HWND owner, const wchar_t* text, const wchar_t* title);

// A question with Yes and No, Yes the default. True only for Yes: No, and a box closed any
// other way (Esc gives IDCANCEL on some systems), count as No.
bool AskYesNo(HWND owner, const wchar_t* text, const wchar_t* title);

}  // namespace tavimore
