#include "editor/frm_edit.h"

#include "editor/cls_dialog.h"
#include "editor/definition_files.h"
#include "editor/edit_layout.h"
#include "core/payload_format.h"
#include "platform/face_strip_view.h"
#include "platform/message_box.h"
#include "platform/ui_font.h"

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
// The drop-down list's extra height when open: room for the five clock shapes and more.
constexpr int kComboListHeight = 160;
// Every character of the window's texts, which the chosen font must be able to show.
constexpr wchar_t kFontSample[] = L"お名前ＵＲＬEメール背景画像選択針長さ色短秒時計の形作成閉じる%";

const ControlPlace& PlaceOf(int id) { return kEditLayout[id - kFirstControlId]; }
bool IsControlId(int id) { return id >= kFirstControlId && id < kFirstControlId + kLayoutCount; }

// The face colour of the window as a face-image pixel (0x00RRGGBB).
uint32_t FaceColorPixel() {
  const COLORREF c = GetSysColor(COLOR_3DFACE);
  return static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

HWND CreateStandard(HWND parent, int id, const ControlPlace& p, const wchar_t* windowClass,
                    DWORD style, DWORD exStyle, int height) {
  return CreateWindowExW(exStyle, windowClass, p.caption,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, p.x, p.y, p.width,
                         height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         nullptr);
}

HWND CreateControl(HWND parent, int id, const ControlPlace& p) {
  switch (p.kind) {
    case ControlKind::kHeading:
      return CreateStandard(parent, id, p, L"STATIC", SS_CENTER | SS_CENTERIMAGE,
                            WS_EX_STATICEDGE, p.height);
    case ControlKind::kCaption:
      return CreateStandard(parent, id, p, L"STATIC", SS_LEFT, 0, p.height);
    case ControlKind::kField:
      return CreateStandard(parent, id, p, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE, p.height);
    case ControlKind::kButton:
      return CreateStandard(parent, id, p, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, p.height);
    case ControlKind::kPicture:
      // The preview has a one-pixel flat border around its 80 x 80 face; the whole
      // picture has none, so its size is the picture's.
      return CreateFaceStripView(parent, id, p.x, p.y, p.width, p.height,
                                 WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP |
                                     (p.name == ControlName::Pic ? WS_BORDER : 0));
    case ControlKind::kReadout:
      return CreateStandard(parent, id, p, L"STATIC", SS_RIGHT | SS_CENTERIMAGE,
                            WS_EX_STATICEDGE, p.height);
    case ControlKind::kScrollBar:
      return CreateStandard(parent, id, p, L"SCROLLBAR", WS_TABSTOP | SBS_HORZ, 0, p.height);
    case ControlKind::kSwatch:
      return CreateStandard(parent, id, p, L"STATIC", SS_NOTIFY | WS_BORDER, 0, p.height);
    case ControlKind::kCombo:
      return CreateStandard(parent, id, p, L"COMBOBOX",
                            WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                            p.height + kComboListHeight);
  }
  return nullptr;
}

void Keep(FrmEdit& form, const ControlPlace& p, HWND control) {
  switch (p.name) {
    case ControlName::LBL: form.LBL[p.index] = control; break;
    case ControlName::FLD: form.FLD[p.index] = control; break;
    case ControlName::BTN: form.BTN[p.index] = control; break;
    case ControlName::CBTN: form.CBTN[p.index] = control; break;
    case ControlName::Pic: form.Pic = control; break;
    case ControlName::AREA: form.AREA = control; break;
    case ControlName::DSP: form.DSP[p.index] = control; break;
    case ControlName::LongLine: form.LongLine[p.index] = control; break;
    case ControlName::COL: form.COL[p.index] = control; break;
    case ControlName::CMB: form.CMB = control; break;
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
void LayLabelsUnderControls(FrmEdit& form) {
  const auto bottom = [](HWND label) {
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  for (HWND readout : form.DSP) bottom(readout);
  for (HWND swatch : form.COL) bottom(swatch);
  for (int i = 0; i < kLayoutCount; ++i)
    if (kEditLayout[i].kind == ControlKind::kHeading) bottom(form.LBL[kEditLayout[i].index]);
  for (int i = 0; i < kLayoutCount; ++i)
    if (kEditLayout[i].kind == ControlKind::kCaption) bottom(form.LBL[kEditLayout[i].index]);
}

bool CreateControls(FrmEdit& form) {
  for (int i = 0; i < kLayoutCount; ++i) {
    const ControlPlace& p = kEditLayout[i];
    HWND control = CreateControl(form.window, kFirstControlId + i, p);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
    Keep(form, p, control);
  }
  LayLabelsUnderControls(form);
  FitComboHeight(form.CMB, PlaceOf(GetDlgCtrlID(form.CMB)).height);
  // No length limit: the field takes as much text as the system allows.
  for (HWND field : form.FLD) SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
  for (HWND bar : form.LongLine) SetScrollRange(bar, SB_CTL, kShortestHand, kLongestHand, FALSE);
  return true;
}

void SetHandColor(FrmEdit& form, int hand, uint32_t color) {
  HBRUSH brush = CreateSolidBrush(color);  // a colour value is already 0x00BBGGRR
  if (!brush) return;
  if (form.handBrush[hand]) DeleteObject(form.handBrush[hand]);
  form.handBrush[hand] = brush;
  form.handColor[hand] = color;
  InvalidateRect(form.COL[hand], nullptr, TRUE);
}

// LongLine_Change: the read-out follows the scroll bar.
void SetHandLength(FrmEdit& form, int hand, int length) {
  if (length < kShortestHand) length = kShortestHand;
  if (length > kLongestHand) length = kLongestHand;
  SetScrollPos(form.LongLine[hand], SB_CTL, length, TRUE);
  SetWindowTextW(form.DSP[hand], (std::to_wstring(length) + L"%").c_str());
}

void ScrollHand(FrmEdit& form, int hand, int request) {
  HWND bar = form.LongLine[hand];
  const int now = GetScrollPos(bar, SB_CTL);
  switch (request) {
    // The arrows and the trough both move by one percent.
    case SB_LINELEFT:
    case SB_PAGELEFT: SetHandLength(form, hand, now - 1); break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: SetHandLength(form, hand, now + 1); break;
    case SB_LEFT: SetHandLength(form, hand, kShortestHand); break;
    case SB_RIGHT: SetHandLength(form, hand, kLongestHand); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(bar, SB_CTL, &info)) SetHandLength(form, hand, info.nTrackPos);
      break;
    }
  }
}

void ChooseHandColor(FrmEdit& form, int hand) {
  ClsDialog dialog;
  if (ColorCode(&dialog, form.window)) SetHandColor(form, hand, dialog.selectColor);
}

void OnCommand(FrmEdit& form, int id, int code) {
  if (!IsControlId(id)) return;  // IDOK and IDCANCEL from the dialog keys: F1 and Esc act
  const ControlPlace& p = PlaceOf(id);
  if (p.name == ControlName::BTN && code == BN_CLICKED)
    FormKeyDown(form, p.index == 0 ? VK_F1 : VK_F12);
  else if (p.name == ControlName::CBTN && code == BN_CLICKED)
    SelectImage(form);
  else if (p.name == ControlName::FLD && code == EN_SETFOCUS)
    SendMessageW(form.FLD[p.index], EM_SETSEL, 0, -1);  // typing replaces the whole text
  else if (p.name == ControlName::COL && code == STN_CLICKED)
    ChooseHandColor(form, p.index);
}

LRESULT ColorStatic(FrmEdit& form, HDC dc, HWND control) {
  for (int hand = 0; hand < kHandControls; ++hand) {
    if (control != form.COL[hand]) continue;
    SetBkColor(dc, form.handColor[hand]);
    return reinterpret_cast<LRESULT>(form.handBrush[hand]);
  }
  // Labels have no background of their own: the window's face shows through.
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
}

void Destroyed(FrmEdit& form) {
  for (HBRUSH& brush : form.handBrush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
  if (form.font) DeleteObject(form.font);
  form.font = nullptr;
  form.window = nullptr;
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<FrmEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(*form, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      for (int hand = 0; hand < kHandControls; ++hand)
        if (reinterpret_cast<HWND>(lParam) == form->LongLine[hand])
          ScrollHand(*form, hand, LOWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return ColorStatic(*form, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      // A plain window would give the focus to itself on activation; give it back to the
      // control that had it, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) form->focus = focus;
      } else if (form->focus && IsWindow(form->focus)) {
        SetFocus(form->focus);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      Destroyed(*form);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterFormClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormProc;
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
void LoadForm(FrmEdit& form) {
  SetWindowTextW(form.FLD[0], form.settings->userName.c_str());
  SetWindowTextW(form.FLD[1], form.settings->userUrl.c_str());
  SetWindowTextW(form.FLD[2], form.settings->userMail.c_str());
  for (int hand = 0; hand < kHandControls; ++hand) {
    SetHandColor(form, hand, kInitialHandColor[hand]);
    SetHandLength(form, hand, kInitialHandLength[hand]);
  }
  form.preview.assign(kImageValues, FaceColorPixel());
  form.preview.back() = 0;  // the spare value
  ShowPicture(form);

  form.definitionFiles = ListDefinitionFiles(form.folder);
  for (const std::wstring& file : form.definitionFiles)
    SendMessageW(form.CMB, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(DefinitionCaption(file).c_str()));
  if (!form.definitionFiles.empty()) {
    SendMessageW(form.CMB, CB_SETCURSEL, 0, 0);
  } else {
    ShowStop(form.window, L"時計定義ファイルがありません", L"Tavimore");
    EnableWindow(form.BTN[0], FALSE);
  }
}

}  // namespace

bool CreateFrmEdit(HINSTANCE instance, const std::wstring& folder, EditorSettings* settings,
                   FrmEdit* form) {
  form->folder = folder;
  form->settings = settings;
  if (!RegisterFormClass(instance) || !RegisterFaceStripView(instance)) return false;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  form->font = CreateUiFont(kFontSample);
  form->window = CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, instance, form);
  if (!form->window) return false;
  if (!CreateControls(*form)) {
    DestroyWindow(form->window);
    return false;
  }
  form->focus = form->FLD[0];  // the window opens with the focus on the name field
  LoadForm(*form);
  return true;
}

bool PreviewMessage(FrmEdit& form, const MSG& message) {
  // With Alt held the keys arrive as system keys; the window's keys ignore the shift state.
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !form.window)
    return false;
  if (message.hwnd != form.window && !IsChild(form.window, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    for (HWND field : form.FLD) {
      if (message.hwnd != field) continue;
      // On to the next control, as Tab would go; the Enter itself goes nowhere, so it
      // cannot press the button the focus lands on.
      if (HWND next = GetNextDlgTabItem(form.window, field, FALSE)) SetFocus(next);
      return true;
    }
  }
  FormKeyDown(form, static_cast<int>(message.wParam));
  return form.window == nullptr;  // closed: no control is left to receive the key
}

void FormKeyDown(FrmEdit& form, int keyCode) {
  switch (keyCode) {
    case VK_F1:
      // Without definitions the build button is disabled and F1 does nothing.
      if (!form.definitionFiles.empty()) BuildClock(form);
      break;
    case VK_F12:
    case VK_ESCAPE:
      CloseFrmEdit(form);
      break;
  }
}

void CloseFrmEdit(FrmEdit& form) {
  if (form.window) DestroyWindow(form.window);
}

int HandLength(const FrmEdit& form, int hand) {
  return GetScrollPos(form.LongLine[hand], SB_CTL);
}

std::wstring TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
  return text;
}

void ShowPicture(FrmEdit& form) {
  const int count = static_cast<int>(form.strip.size() / kImageValues);
  const ControlPlace& area = PlaceOf(GetDlgCtrlID(form.AREA));
  // AREA takes the picture's own size, and its laid-out size when it holds none.
  const int width = count > 0 ? kFaceSize : area.width;
  const int height = count > 0 ? count * kFaceSize : area.height;
  SetWindowPos(form.AREA, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowFaces(form.AREA, count > 0 ? form.strip.data() : nullptr, count);
  ShowFaces(form.Pic, form.preview.data(), 1);
}

}  // namespace tavimore
