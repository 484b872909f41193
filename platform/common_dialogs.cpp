#include "platform/common_dialogs.h"

#include <commdlg.h>

#include <vector>

namespace tavimore {
namespace {

// The longest path the wide file calls accept, and its terminating zero.
constexpr DWORD kLongestPath = 32768;
constexpr int kCustomColors = 16;  // the slots the colour dialog shows
constexpr COLORREF kWhite = RGB(255, 255, 255);

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
  dialog.lpstrInitialDir = request.folder;
  dialog.lpstrTitle = request.title;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

  OpenFileAnswer answer;
  if (GetOpenFileNameW(&dialog)) {
    answer.outcome = DialogOutcome::kChosen;
    answer.path = file.data();
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
