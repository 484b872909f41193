// The window system's open-file and colour dialogs, each shown modally for one answer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tavimore {

// The dialog starts where the system chooses (the folder last used).
struct OpenFileRequest {
  HWND owner = nullptr;
  const wchar_t* title = nullptr;   // null: the dialog's own title
  // Pairs of description and pattern, each ended by a zero, the list by one more zero.
  const wchar_t* filter = nullptr;
};

enum class DialogOutcome {
  kChosen,     // the user chose a file
  kCancelled,  // the user closed the dialog without choosing
  kFailed,     // the dialog itself failed; `error` holds its reason code
};

struct OpenFileAnswer {
  DialogOutcome outcome = DialogOutcome::kCancelled;
  std::wstring path;       // the chosen file's full path when kChosen
  unsigned long error = 0; // CommDlgExtendedError's code when kFailed
};

// Paths up to the system's longest (32767 characters) come back whole.
OpenFileAnswer ShowOpenFileDialog(const OpenFileRequest& request);

// Opens in its short form with no colour preselected and sixteen white custom colours,
// whatever the user defined the time before. True, with the confirmed colour (0x00BBGGRR) in `*color`, when the user
// pressed OK; false, `*color` unchanged, otherwise.
bool ShowColorDialog(HWND owner, uint32_t* color);

}  // namespace tavimore
