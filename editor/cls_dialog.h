// The editor's use of the two standard dialogs: made for one use, given the few settings it
// needs, asked once, dropped. Nothing is kept between uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/common_dialogs.h"

namespace tavimore {

struct ClsDialog {
  std::wstring selectTitle;    // empty: the open-file dialog's own title
  std::wstring defaultFolder;  // empty: the dialog chooses where it starts
  // Description and pattern pairs, each ended by a zero character; the last one's zero may
  // be left off.
  std::wstring filterPattern;
  uint32_t selectColor = 0;    // the colour dialog's answer, 0x00BBGGRR
};

// The open-file dialog: the chosen full path, a cancel, or a failure of the dialog (which
// the caller reports, so that a failure never passes for a cancel).
OpenFileAnswer FileName(const ClsDialog& dialog, HWND owner);

// The colour dialog with sixteen white custom colours: true with the colour in
// `selectColor` when confirmed; false, `selectColor` unchanged, otherwise.
bool ColorCode(ClsDialog* dialog, HWND owner);

}  // namespace tavimore
