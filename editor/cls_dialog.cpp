#include "editor/cls_dialog.h"

namespace tavimore {

OpenFileAnswer FileName(const ClsDialog& dialog, HWND owner) {
  // The dialog reads the filter list up to an empty entry: two zeros after the last pattern,
  // whether or not the pattern brought its own.
  std::wstring filter = dialog.filterPattern;
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  OpenFileRequest request;
  request.owner = owner;
  request.title = dialog.selectTitle.empty() ? nullptr : dialog.selectTitle.c_str();
  request.folder = dialog.defaultFolder.empty() ? nullptr : dialog.defaultFolder.c_str();
  request.filter = filter.c_str();
  return ShowOpenFileDialog(request);
}

bool ColorCode(ClsDialog* dialog, HWND owner) {
  return ShowColorDialog(owner, &dialog->selectColor);
}

}  // namespace tavimore
