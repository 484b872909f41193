#include "platform/message_box.h"

namespace tavimore {

void ShowPlainMessage(HWND owner, const wchar_t* text, const wchar_t* title) {
  MessageBoxW(owner, text, title, MB_OK);
}

void ShowStopMessage(HWND owner, const wchar_t* text, const wchar_t* title) {
  MessageBoxW(owner, text, title, MB_OK | MB_ICONSTOP);
}

void ShowInformationMessage(HWND owner, const wchar_t* text, const wchar_t* title) {
  MessageBoxW(owner, text, title, MB_OK | MB_ICONINFORMATION);
}

bool AskYesNo(HWND owner, const wchar_t* text, const wchar_t* title) {
  return MessageBoxW(owner, text, title, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

}  // namespace tavimore
