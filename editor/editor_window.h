// The editor window: the author's texts, the face picture, the three hands and the clock
// shape, and the keys F1 (build), F12 and Esc (close). Its state lives in one struct; the
// image selection and the build are functions of their own that it calls with its inputs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_layout.h"
#include "editor/editor_settings.h"
#include "platform/handle_owners.h"

namespace tavimore {

// The window's state. The names in comments are those of the window's original design
// (the form frmEdit and its control arrays), which the tests and notes still use.
struct EditorWindow {
  HWND window = nullptr;             // null once the window is gone
  int dpi = kBaseDpi;                // the scale the window is laid out at, as a DPI
  GdiObject<HFONT> font;             // the controls' font at that scale
  HWND focus = nullptr;              // the control to give the focus back to on activation
  std::wstring folder;               // the editor's folder, ending with a backslash
  EditorSettings* settings = nullptr;

  HWND labels[kLabelCount] = {};          // LBL
  HWND fields[kFieldCount] = {};          // FLD, by FieldIndex
  HWND buttons[kButtonCount] = {};        // BTN, by ButtonIndex: "F1:作成", "F12:閉じる"
  HWND imageButton = nullptr;             // CBTN: "画像選択"
  HWND previewBox = nullptr;              // Pic: face image 1 of the picture
  HWND stripBox = nullptr;                // AREA: the whole picture at its own size
  HWND lengthReadouts[kHandCount] = {};   // DSP, by HandIndex
  HWND lengthBars[kHandCount] = {};       // LongLine, by HandIndex
  HWND colorSwatches[kHandCount] = {};    // COL, by HandIndex
  HWND shapeList = nullptr;               // CMB: the clock definitions

  uint32_t handColor[kHandCount] = {};    // the swatches' colours, 0x00BBGGRR
  GdiObject<HBRUSH> handBrush[kHandCount];
  std::vector<std::wstring> definitionFiles;  // the shape list's items in order, with ".prm"
  // The strip box's picture as face images (top square first); empty when it holds none.
  std::vector<uint32_t> strip;
  std::vector<uint32_t> preview;          // the preview box's one face image
};

// Creates the window and its controls and fills them (texts from the settings, the
// starting hands, the definition list); not yet shown. False when the window cannot be
// made.
bool CreateEditorWindow(HINSTANCE instance, const std::wstring& folder,
                        EditorSettings* settings, EditorWindow* editor);

// The message loop's look at each message before the focused control gets it: F1, F12 and
// Esc act on the whole window and still reach the control; Enter in a text field moves on
// to the next control. True when the message is used up.
bool PreviewMessage(EditorWindow& editor, const MSG& message);

// Form_KeyDown: F1 builds, F12 and Esc close; other keys do nothing here.
void HandleWindowKey(EditorWindow& editor, int keyCode);

}  // namespace tavimore
