// The editor window: the author's texts, the face picture, the three hands and the clock
// shape, and the keys F1 (build), F12 and Esc (close). Its state lives in one struct that
// the window's handlers, the image selection and the builder share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_settings.h"

namespace tavimore {

constexpr int kHeadingCount = 11;
constexpr int kHandControls = 3;  // hour, minute, second

struct FrmEdit {
  HWND window = nullptr;             // null once the window is gone
  HFONT font = nullptr;
  HWND focus = nullptr;              // the control to give the focus back to on activation
  std::wstring folder;               // the editor's folder, ending with a backslash
  EditorSettings* settings = nullptr;

  HWND LBL[kHeadingCount] = {};
  HWND FLD[3] = {};                  // name, home-page address, mail address
  HWND BTN[2] = {};                  // "F1:作成", "F12:閉じる"
  HWND CBTN[1] = {};                 // "画像選択"
  HWND Pic = nullptr;                // the preview: face image 1 of the picture
  HWND AREA = nullptr;               // the whole picture at its own size
  HWND DSP[kHandControls] = {};
  HWND LongLine[kHandControls] = {};
  HWND COL[kHandControls] = {};
  HWND CMB = nullptr;

  uint32_t handColor[kHandControls] = {};  // COL's colours, 0x00BBGGRR
  HBRUSH handBrush[kHandControls] = {};
  std::vector<std::wstring> definitionFiles;  // CMB's items in the same order, with ".prm"
  // AREA's picture as face images (top square first); empty when it holds none.
  std::vector<uint32_t> strip;
  std::vector<uint32_t> preview;     // Pic's one face image
};

// Creates the window and its controls and fills them (texts from the settings, hands at
// 75, 80 and 90 %, the definition list); not yet shown. False when the window cannot be
// made.
bool CreateFrmEdit(HINSTANCE instance, const std::wstring& folder, EditorSettings* settings,
                   FrmEdit* form);

// The message loop's look at each message before the focused control gets it: F1, F12 and
// Esc act on the whole window and still reach the control; Enter in a text field moves on
// to the next control. True when the message is used up.
bool PreviewMessage(FrmEdit& form, const MSG& message);

void FormKeyDown(FrmEdit& form, int keyCode);
void CloseFrmEdit(FrmEdit& form);
int HandLength(const FrmEdit& form, int hand);
std::wstring TextOf(HWND control);
// Shows the picture held (or none) in AREA and the preview in Pic.
void ShowPicture(FrmEdit& form);

// In their own files: the image button's and F1's work.
void SelectImage(FrmEdit& form);
void BuildClock(FrmEdit& form);

}  // namespace tavimore
