#include "platform/common_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/long_path.h"

namespace tavimore {
namespace {

// The longest path the wide file calls accept, and its terminating zero.
constexpr DWORD kLongestPath = 32768;
constexpr int kCustomColors = 16;  // the slots the colour dialog shows
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr wchar_t kGuardProperty[] = L"TavimoreLongNameGuard";

// The open-file dialog joins its folder and the typed name in a buffer of MAX_PATH
// characters (Wine's overflows and ends the program; older Windows dialogs refuse the
// name), so a name that makes a longer path would never come back. The guard sits in front
// of the dialog's OK: such a name is checked and taken here, and the dialog is closed as
// if cancelled; shorter names go the dialog's own way.
struct LongNameGuard {
  WNDPROC dialogProc = nullptr;
  std::wstring chosen;  // the long path taken by the guard, if any
};

std::wstring DialogText(HWND dialog, UINT message) {
  std::vector<wchar_t> text(kLongestPath, 0);
  const LRESULT n = SendMessageW(dialog, message, kLongestPath,
                                 reinterpret_cast<LPARAM>(text.data()));
  return n > 0 ? std::wstring(text.data()) : std::wstring();
}

bool IsAbsolute(const std::wstring& name) {
  return (name.size() >= 3 && name[1] == L':' && (name[2] == L'\\' || name[2] == L'/')) ||
         (name.size() >= 2 && name[0] == L'\\' && name[1] == L'\\');
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
  full.resize(written < n ? written : 0);
  return full.empty() ? path : full;
}

// True when the guard dealt with the OK: the name was long and has been taken or refused.
bool TakeLongName(HWND dialog, LongNameGuard* guard) {
  std::wstring name = DialogText(dialog, CDM_GETSPEC);
  if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
    name = name.substr(1, name.size() - 2);
  if (name.empty()) return false;
  if (!IsAbsolute(name)) {
    std::wstring folder = DialogText(dialog, CDM_GETFOLDERPATH);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    name = folder + name;
  }
  if (name.size() < MAX_PATH) return false;
  const std::wstring path = FullPath(name);
  const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const std::wstring text = path + L"\n\nファイルが見つかりません。";
    MessageBoxW(dialog, text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
    return true;
  }
  guard->chosen = path;
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return true;
}

LRESULT CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* guard = static_cast<LongNameGuard*>(GetPropW(dialog, kGuardProperty));
  if (!guard) return DefWindowProcW(dialog, message, wParam, lParam);
  const WNDPROC original = guard->dialogProc;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && TakeLongName(dialog, guard)) return 0;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(dialog, kGuardProperty);
  }
  return CallWindowProcW(original, dialog, message, wParam, lParam);
}

// The explorer-style hook: an empty child of the dialog, used only to reach the dialog.
UINT_PTR CALLBACK OpenFileHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return 0;
  const auto* dialog = reinterpret_cast<const OPENFILENAMEW*>(lParam);
  auto* guard = reinterpret_cast<LongNameGuard*>(dialog->lCustData);
  HWND parent = GetParent(hook);
  if (guard && parent && SetPropW(parent, kGuardProperty, guard))
    guard->dialogProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GuardedDialogProc)));
  return 0;
}

}  // namespace

OpenFileAnswer ShowOpenFileDialog(const OpenFileRequest& request) {
  std::vector<wchar_t> file(kLongestPath, 0);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = request.owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = request.filter;
  dialog.nFilterIndex = 1;  // the first filter is preselected
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kLongestPath;
  dialog.lpstrTitle = request.title;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  LongNameGuard guard;
  dialog.lCustData = reinterpret_cast<LPARAM>(&guard);
  dialog.lpfnHook = OpenFileHook;

  OpenFileAnswer answer;
  if (GetOpenFileNameW(&dialog)) {
    answer.outcome = DialogOutcome::kChosen;
    answer.path = file.data();
    return answer;
  }
  if (!guard.chosen.empty()) {
    answer.outcome = DialogOutcome::kChosen;
    answer.path = guard.chosen;
    return answer;
  }
  answer.error = CommDlgExtendedError();
  answer.outcome = answer.error == 0 ? DialogOutcome::kCancelled : DialogOutcome::kFailed;
  return answer;
}

bool ShowColorDialog(HWND owner, uint32_t* color) {
  // A fresh table each time: custom colours from an earlier dialog are not kept.
  COLORREF custom[kCustomColors];
  for (COLORREF& slot : custom) slot = kWhite;
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = *color;
  dialog.lpCustColors = custom;
  dialog.Flags = 0;  // nothing preselected; the dialog opens in its short form
  if (!ChooseColorW(&dialog)) return false;
  *color = dialog.rgbResult;
  return true;
}

}  // namespace tavimore
