// Modal message boxes: a message with an OK button, without an icon or with the stop or the
// information icon, and a question with Yes and No.
#pragma once

#include <windows.h>

namespace tavimore {

// Each waits until the box is closed. `owner` may be null (before the window exists).
void ShowPlainMessage(HWND owner, const wchar_t* text, const wchar_t* title);
void ShowStopMessage(HWND owner, const wchar_t* text, const wchar_t* title);
void ShowInformationMessage(HWND owner, const wchar_t* text, const wchar_t* title);

// A question with Yes and No, Yes the default. True only for Yes: No, and a box closed any
// other way (Esc gives IDCANCEL on some systems), count as No.
bool AskYesNo(HWND owner, const wchar_t* text, const wchar_t* title);

}  // namespace tavimore
