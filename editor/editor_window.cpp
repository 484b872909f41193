#include "editor/editor_window.h"

#include <utility>

#include "editor/definition_files.h"
#include "editor/make_clock.h"
#include "editor/select_image.h"
#include "editor/window_frame.h"
#include "core/color_value.h"
#include "core/decimal_text.h"
#include "core/payload_format.h"
#include "core/starting_hands.h"
#include "platform/common_dialogs.h"
#include "platform/face_strip_view.h"
#include "platform/message_box.h"
#include "platform/ui_font.h"
#include "platform/window_dpi.h"

namespace tavimore {
namespace {

constexpr wchar_t kClassName[] = L"TavimoreEdit";
constexpr wchar_t kCaption[] = L"TavimoreEdit";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The icon resource (editor.rc) and the sizes the window system shows it at.
constexpr int kIconResource = 1;
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
// Control ids start above IDOK and IDCANCEL (1 and 2), which the dialog keys Enter and Esc
// send to the window and which must not be taken for a control.
constexpr int kFirstControlId = 100;
// The drop-down list's extra height when open, at 96 DPI: room for the five clock shapes
// and more.
constexpr int kComboListHeight = 160;
// Every character of the window's texts, which the chosen font must be able to show.
constexpr wchar_t kFontSample[] = L"お名前ＵＲＬEメール背景画像選択針長さ色短秒時計の形作成閉じる%";

const ControlPlace& PlaceOf(int id) { return kEditorLayout[id - kFirstControlId]; }
bool IsControlId(int id) { return id >= kFirstControlId && id < kFirstControlId + kLayoutCount; }

void CloseEditorWindow(EditorWindow& editor) {
  if (editor.window) DestroyWindow(editor.window);
}

int HandLength(const EditorWindow& editor, int hand) {
  return GetScrollPos(editor.lengthBars[hand], SB_CTL);
}

std::wstring TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
  return text;
}

void ShowPicture(EditorWindow& editor) {
  const int count = static_cast<int>(editor.strip.size() / kImageValues);
  const ControlRect area = ScaledPlace(PlaceOf(GetDlgCtrlID(editor.stripBox)), editor.dpi);
  // The strip box takes the picture's own size at the window's scale, and its laid-out size
  // when it holds none.
  const int face = ScaledFaceSize(editor.dpi);
  const int width = count > 0 ? face : area.width;
  const int height = count > 0 ? count * face : area.height;
  SetWindowPos(editor.stripBox, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowFaces(editor.stripBox, count > 0 ? editor.strip.data() : nullptr, count, editor.dpi);
  ShowFaces(editor.previewBox, editor.preview.empty() ? nullptr : editor.preview.data(), 1,
            editor.dpi);
}

// F1 and the button "F1:作成": the texts are stored in the settings file first, whatever
// follows.
void MakeClock(EditorWindow& editor) {
  const LRESULT selected = SendMessageW(editor.shapeList, CB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<size_t>(selected) >= editor.definitionFiles.size()) return;
  editor.settings->userName = TextOf(editor.fields[kNameField]);
  editor.settings->userUrl = TextOf(editor.fields[kUrlField]);
  editor.settings->userMail = TextOf(editor.fields[kMailField]);
  SaveSettings(*editor.settings);

  ClockInputs inputs{editor.folder + editor.definitionFiles[static_cast<size_t>(selected)],
                     editor.settings->userName, editor.settings->userUrl,
                     editor.settings->userMail, {},
                     // Without an accepted picture the clock gets one face: what the preview shows.
                     editor.strip.empty() ? &editor.preview : &editor.strip};
  for (int hand = 0; hand < kHandCount; ++hand)
    inputs.hands[hand] = Hand{editor.handColor[hand], HandLength(editor, hand)};
  switch (MakeClockFile(editor.window, editor.folder, inputs)) {
    case MakeOutcome::kNoDefinition:
      CloseEditorWindow(editor);
      break;
    case MakeOutcome::kCancelled:
      break;
    case MakeOutcome::kWritten:
    case MakeOutcome::kNotWritten:
      ShowPicture(editor);  // the preview ends on the picture's first face, as after choosing it
      break;
  }
}

// The image button (CBTN): a strip chosen and taken, or refused, leaving none.
void ChooseImage(EditorWindow& editor) {
  std::vector<uint32_t> strip;
  if (!SelectImage(editor.window, &strip)) return;
  editor.strip = std::move(strip);
  if (!editor.strip.empty())
    editor.preview.assign(editor.strip.begin(), editor.strip.begin() + kImageValues);
  ShowPicture(editor);
}

// The window's outer size at `dpi`, around its client area scaled.
SIZE WindowSize(int dpi) {
  return OuterSize(kStyle, kExStyle, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi), dpi);
}

// Controls are made without a place; LayOut gives them theirs at the window's scale.
HWND CreateStandard(HWND parent, int id, const ControlPlace& p, const wchar_t* windowClass,
                    DWORD style, DWORD exStyle) {
  return CreateWindowExW(exStyle, windowClass, p.caption,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         nullptr);
}

HWND CreateControl(HWND parent, int id, const ControlPlace& p) {
  switch (p.kind) {
    case ControlKind::kHeading:
      return CreateStandard(parent, id, p, L"STATIC", SS_CENTER | SS_CENTERIMAGE,
                            WS_EX_STATICEDGE);
    case ControlKind::kCaption:
      return CreateStandard(parent, id, p, L"STATIC", SS_LEFT, 0);
    case ControlKind::kField:
      return CreateStandard(parent, id, p, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE);
    case ControlKind::kButton:
      return CreateStandard(parent, id, p, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0);
    case ControlKind::kPicture:
      // The preview has a one-pixel flat border around its 80 x 80 face; the whole
      // picture has none, so its size is the picture's.
      return CreateFaceStripView(parent, id, 0, 0, 0, 0,
                                 WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP |
                                     (p.group == ControlGroup::kPreviewBox ? WS_BORDER : 0));
    case ControlKind::kReadout:
      return CreateStandard(parent, id, p, L"STATIC", SS_RIGHT | SS_CENTERIMAGE,
                            WS_EX_STATICEDGE);
    case ControlKind::kScrollBar:
      return CreateStandard(parent, id, p, L"SCROLLBAR", WS_TABSTOP | SBS_HORZ, 0);
    case ControlKind::kSwatch:
      return CreateStandard(parent, id, p, L"STATIC", SS_NOTIFY | WS_BORDER, 0);
    case ControlKind::kCombo:
      return CreateStandard(parent, id, p, L"COMBOBOX",
                            WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
  }
  return nullptr;
}

void Keep(EditorWindow& editor, const ControlPlace& p, HWND control) {
  switch (p.group) {
    case ControlGroup::kLabel: editor.labels[p.index] = control; break;
    case ControlGroup::kField: editor.fields[p.index] = control; break;
    case ControlGroup::kButton: editor.buttons[p.index] = control; break;
    case ControlGroup::kImageButton: editor.imageButton = control; break;
    case ControlGroup::kPreviewBox: editor.previewBox = control; break;
    case ControlGroup::kStripBox: editor.stripBox = control; break;
    case ControlGroup::kLengthReadout: editor.lengthReadouts[p.index] = control; break;
    case ControlGroup::kLengthBar: editor.lengthBars[p.index] = control; break;
    case ControlGroup::kColorSwatch: editor.colorSwatches[p.index] = control; break;
    case ControlGroup::kShapeList: editor.shapeList = control; break;
  }
}

// The closed drop-down list takes its height from its font; make it the laid-out one. The
// item height read back and the one set need not count the same pixels (under Wine they
// differ by two), so the request is corrected by what the outer height shows.
void FitComboHeight(HWND combo, int height) {
  const auto shownHeight = [combo] {
    RECT shown;
    GetWindowRect(combo, &shown);
    return static_cast<int>(shown.bottom - shown.top);
  };
  const LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (item == CB_ERR) return;
  LRESULT request = item + height - shownHeight();
  for (int attempt = 0; attempt < 4 && request > 0; ++attempt) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
    const int difference = height - shownHeight();
    if (difference == 0) return;
    request += difference;
  }
}

// Labels lie on the window's surface, under every control that is a window of its own, and
// never take the focus, so their place in the stacking order leaves the tab order alone.
// Where the layout overlaps them by a pixel, the bordered ones lie over the plain captions
// (the row titles reach into the read-outs' left border) and the scroll bars over the
// read-outs' right border. Each call puts its label at the very bottom, so the last is lowest.
void LayLabelsUnderControls(EditorWindow& editor) {
  const auto bottom = [](HWND label) {
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  for (HWND readout : editor.lengthReadouts) bottom(readout);
  for (HWND swatch : editor.colorSwatches) bottom(swatch);
  for (int i = 0; i < kLayoutCount; ++i)
    if (kEditorLayout[i].kind == ControlKind::kHeading)
      bottom(editor.labels[kEditorLayout[i].index]);
  for (int i = 0; i < kLayoutCount; ++i)
    if (kEditorLayout[i].kind == ControlKind::kCaption)
      bottom(editor.labels[kEditorLayout[i].index]);
}

bool CreateControls(EditorWindow& editor) {
  for (int i = 0; i < kLayoutCount; ++i) {
    const ControlPlace& p = kEditorLayout[i];
    HWND control = CreateControl(editor.window, kFirstControlId + i, p);
    if (!control) return false;
    Keep(editor, p, control);
  }
  LayLabelsUnderControls(editor);
  // No length limit: the field takes as much text as the system allows.
  for (HWND field : editor.fields) SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
  for (HWND bar : editor.lengthBars)
    SetScrollRange(bar, SB_CTL, kShortestHand, kLongestHand, FALSE);
  return true;
}

// Every control at its place at the window's scale, in the window's font (the strip box at
// its laid-out size, until ShowPicture gives it the picture's).
void LayOut(EditorWindow& editor) {
  for (int i = 0; i < kLayoutCount; ++i) {
    const ControlPlace& p = kEditorLayout[i];
    const ControlRect r = ScaledPlace(p, editor.dpi);
    HWND control = GetDlgItem(editor.window, kFirstControlId + i);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(editor.font.get()), TRUE);
    // A drop-down list's window is as tall as the list when it is open.
    const int height =
        p.kind == ControlKind::kCombo ? r.height + Scaled(kComboListHeight, editor.dpi) : r.height;
    SetWindowPos(control, nullptr, r.x, r.y, r.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FitComboHeight(editor.shapeList,
                 ScaledPlace(PlaceOf(GetDlgCtrlID(editor.shapeList)), editor.dpi).height);
}

// The window at `dpi`: its font, its size (and at `suggested`, the system's place for it on
// a monitor of another scale), its controls and the pictures in them. At creation, and
// again whenever the window reaches a monitor of another scale.
void Scale(EditorWindow& editor, int dpi, const RECT* suggested) {
  editor.dpi = ClampDpi(dpi);
  // The controls let go of the old font only when LayOut hands them the new one.
  const GdiObject<HFONT> previous = std::move(editor.font);
  editor.font.reset(CreateUiFont(kFontSample, editor.dpi));
  if (suggested) {
    SetWindowPos(editor.window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    const SIZE outer = WindowSize(editor.dpi);
    SetWindowPos(editor.window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayOut(editor);
  ShowPicture(editor);
}

void SetHandColor(EditorWindow& editor, int hand, uint32_t color) {
  HBRUSH brush = CreateSolidBrush(color);  // a colour value is already 0x00BBGGRR
  if (!brush) return;
  editor.handBrush[hand].reset(brush);
  editor.handColor[hand] = color;
  InvalidateRect(editor.colorSwatches[hand], nullptr, TRUE);
}

// LongLine_Change: the read-out follows the scroll bar.
void SetHandLength(EditorWindow& editor, int hand, int length) {
  if (length < kShortestHand) length = kShortestHand;
  if (length > kLongestHand) length = kLongestHand;
  SetScrollPos(editor.lengthBars[hand], SB_CTL, length, TRUE);
  const std::wstring readout = DecimalText(static_cast<unsigned long>(length)) + L"%";
  SetWindowTextW(editor.lengthReadouts[hand], readout.c_str());
}

void ScrollHand(EditorWindow& editor, int hand, int request) {
  HWND bar = editor.lengthBars[hand];
  const int now = GetScrollPos(bar, SB_CTL);
  switch (request) {
    // The arrows and the trough both move by one percent.
    case SB_LINELEFT:
    case SB_PAGELEFT: SetHandLength(editor, hand, now - 1); break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: SetHandLength(editor, hand, now + 1); break;
    case SB_LEFT: SetHandLength(editor, hand, kShortestHand); break;
    case SB_RIGHT: SetHandLength(editor, hand, kLongestHand); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(bar, SB_CTL, &info)) SetHandLength(editor, hand, info.nTrackPos);
      break;
    }
  }
}

void ChooseHandColor(EditorWindow& editor, int hand) {
  uint32_t color = 0;  // clsDialog's SelectColor
  if (ShowColorDialog(editor.window, &color)) SetHandColor(editor, hand, color);
}

void OnCommand(EditorWindow& editor, int id, int code) {
  if (!IsControlId(id)) return;  // IDOK and IDCANCEL from the dialog keys: F1 and Esc act
  const ControlPlace& p = PlaceOf(id);
  if (p.group == ControlGroup::kButton && code == BN_CLICKED)
    HandleWindowKey(editor, p.index == kBuildButton ? VK_F1 : VK_F12);
  else if (p.group == ControlGroup::kImageButton && code == BN_CLICKED)
    ChooseImage(editor);
  else if (p.group == ControlGroup::kField && code == EN_SETFOCUS)
    SendMessageW(editor.fields[p.index], EM_SETSEL, 0, -1);  // typing replaces the whole text
  else if (p.group == ControlGroup::kColorSwatch && code == STN_CLICKED)
    ChooseHandColor(editor, p.index);
}

LRESULT ColorStatic(EditorWindow& editor, HDC dc, HWND control) {
  for (int hand = 0; hand < kHandCount; ++hand) {
    if (control != editor.colorSwatches[hand]) continue;
    SetBkColor(dc, editor.handColor[hand]);
    return reinterpret_cast<LRESULT>(editor.handBrush[hand].get());
  }
  // Labels have no background of their own: the window's face shows through.
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
}

void Destroyed(EditorWindow& editor) {
  for (GdiObject<HBRUSH>& brush : editor.handBrush) brush.reset();
  editor.font.reset();
  editor.window = nullptr;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* editor = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!editor) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(*editor, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      for (int hand = 0; hand < kHandCount; ++hand)
        if (reinterpret_cast<HWND>(lParam) == editor->lengthBars[hand])
          ScrollHand(*editor, hand, LOWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return ColorStatic(*editor, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      // A plain window would give the focus to itself on activation; give it back to the
      // control that had it, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) editor->focus = focus;
      } else if (editor->focus && IsWindow(editor->focus)) {
        SetFocus(editor->focus);
      }
      return 0;
    case WM_GETDPISCALEDSIZE:
      // Asked before a move to a monitor of another scale: the window's size there, so that
      // the place the system then suggests (WM_DPICHANGED) holds the scaled layout exactly.
      *reinterpret_cast<SIZE*>(lParam) = WindowSize(ClampDpi(static_cast<int>(wParam)));
      return TRUE;
    case WM_DPICHANGED:
      // Both halves of wParam hold the new DPI; the window takes the suggested place, which
      // keeps it on the monitor it was moved to.
      Scale(*editor, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      Destroyed(*editor);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, kLargeIcon, kLargeIcon, 0));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, kSmallIcon, kSmallIcon, 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

// Form_Load: the texts, the hands and the list of clock definitions.
void Load(EditorWindow& editor) {
  SetWindowTextW(editor.fields[kNameField], editor.settings->userName.c_str());
  SetWindowTextW(editor.fields[kUrlField], editor.settings->userUrl.c_str());
  SetWindowTextW(editor.fields[kMailField], editor.settings->userMail.c_str());
  for (int hand = 0; hand < kHandCount; ++hand) {
    SetHandColor(editor, hand, kStartingHands[hand].color);
    SetHandLength(editor, hand, kStartingHands[hand].length);
  }
  editor.preview.assign(kImageValues, PixelFromColor(GetSysColor(COLOR_3DFACE)));
  editor.preview.back() = 0;  // the spare value
  ShowPicture(editor);

  editor.definitionFiles = ListDefinitionFiles(editor.folder);
  for (const std::wstring& file : editor.definitionFiles)
    SendMessageW(editor.shapeList, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(DefinitionCaption(file).c_str()));
  if (!editor.definitionFiles.empty()) {
    SendMessageW(editor.shapeList, CB_SETCURSEL, 0, 0);
  } else {
    ShowStopMessage(editor.window, L"時計定義ファイルがありません", L"Tavimore");
    EnableWindow(editor.buttons[kBuildButton], FALSE);
  }
}

}  // namespace

bool CreateEditorWindow(HINSTANCE instance, const std::wstring& folder,
                        EditorSettings* settings, EditorWindow* editor) {
  editor->folder = folder;
  editor->settings = settings;
  if (!RegisterWindowClass(instance) || !RegisterFaceStripView(instance)) return false;
  // Made at the system's scale, the only one known before the window is on a monitor;
  // Scale then lays it out at its own monitor's.
  const SIZE outer = WindowSize(ClampDpi(WindowDpi(nullptr)));
  editor->window = CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, CW_USEDEFAULT,
                                   CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr, instance,
                                   editor);
  if (!editor->window) return false;
  if (!CreateControls(*editor)) {
    DestroyWindow(editor->window);
    return false;
  }
  Scale(*editor, WindowDpi(editor->window), nullptr);
  editor->focus = editor->fields[kNameField];  // the window opens with the focus there
  Load(*editor);
  return true;
}

bool PreviewMessage(EditorWindow& editor, const MSG& message) {
  // With Alt held the keys arrive as system keys; the window's keys ignore the shift state.
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !editor.window)
    return false;
  if (message.hwnd != editor.window && !IsChild(editor.window, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    for (HWND field : editor.fields) {
      if (message.hwnd != field) continue;
      // On to the next control, as Tab would go; the Enter itself goes nowhere, so it
      // cannot press the button the focus lands on.
      if (HWND next = GetNextDlgTabItem(editor.window, field, FALSE)) SetFocus(next);
      return true;
    }
  }
  HandleWindowKey(editor, static_cast<int>(message.wParam));
  return editor.window == nullptr;  // closed: no control is left to receive the key
}

void HandleWindowKey(EditorWindow& editor, int keyCode) {
  switch (keyCode) {
    case VK_F1:
      // Without definitions the build button is disabled and F1 does nothing.
      if (!editor.definitionFiles.empty()) MakeClock(editor);
      break;
    case VK_F12:
    case VK_ESCAPE:
      CloseEditorWindow(editor);
      break;
  }
}

}  // namespace tavimore
