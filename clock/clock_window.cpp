#include "clock/clock_window.h"

#include <windows.h>
#include <windowsx.h>

#include <cstring>

#include "core/clock_face.h"
#include "platform/face_surface.h"
#include "platform/heap_block.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/program_version.h"
#include "platform/shell_open.h"
#include "platform/tooltip.h"
#include "platform/window_region.h"

namespace tavimore {
namespace {

// The tick wakes once a second, just after the second begins: it re-arms its timer for the
// next boundary by the wall clock each time, so it never drifts, and a wake that comes
// early finds the old second, draws nothing and re-arms for what is left.
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kMillisecondsPerSecond = 1000;
// The wall clock and the timer advance by system ticks of up to 15.6 ms, so a wake aimed at
// the boundary itself often reads the old second; 20 ms after it is past that tick and still
// well within the tenth of a second in which a new second must show.
constexpr UINT kWakeMargin = 20;

// Menu items by the indexes the clock has always given them.
enum MenuIndex { kHomePage = 0, kMail = 1, kVersion = 91, kExit = 99 };

// The window's own state (one window per program).
struct ClockWindow {
  const ClockProgram* program;
  HWND window;
  HWND tooltip;
  FaceSurface face;
  HeapBlock tooltipText;             // the text the tooltip last asked for; it reads it after
                                     // the request returns
  char lastTimeText[kTimeTextSize];  // empty until the first redraw
  int bgIndex;                       // face image shown at the next redraw
  bool dragging;
  int grabX, grabY;                  // client position of the pointer when the drag began
  uint32_t image[kImageValues];      // a face image as read from the payload
};

// The window procedure reaches the state through this; it lives in RunClockWindow.
ClockWindow* g_clock;

bool HasFaceImages(const ClockWindow& c) { return c.program->settings.imageCount >= 0; }

void ShowFaceImage(ClockWindow& c, int index) {
  const ClockProgram& p = *c.program;
  ReadFaceImage(p.payload.as<uint8_t>(), p.payloadSize, p.settings.imagesOffset, index, c.image);
  SetPicturePixels(c.face.view, c.image);
}

void ShowBuiltInFace(ClockWindow& c) {
  if (c.program->hasBuiltInFace)
    SetPicturePixels(c.face.view, c.program->builtInFace);
  else
    FillPixels(c.face.view, kPlainFacePixel);
}

// "author yyyy/mm/dd(ddd)", made when the tooltip is about to show; null without memory.
wchar_t* TooltipText(ClockWindow& c) {
  const wchar_t* author = c.program->author.as<wchar_t>();
  const int authorLength = lstrlenW(author);
  constexpr int kDateRoom = 64;  // "yyyy/mm/dd(ddd)" with the longest weekday names
  const size_t bytes = (authorLength + 1 + kDateRoom) * sizeof(wchar_t);
  if (c.tooltipText.size() < bytes) c.tooltipText = HeapBlock(bytes);
  wchar_t* t = c.tooltipText.as<wchar_t>();
  if (!t) return nullptr;
  std::memcpy(t, author, authorLength * sizeof(wchar_t));
  t[authorLength] = L' ';
  FormatDateWithWeekday(t + authorLength + 1, kDateRoom);
  return t;
}

// TMC_Timer: draws the second it finds when that differs from the one drawn last.
void Tick(ClockWindow& c) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  // Armed before the drawing, whose time would otherwise delay the next wake.
  SetTimer(c.window, kTickTimer, kMillisecondsPerSecond - now.wMilliseconds + kWakeMargin, nullptr);
  char text[kTimeTextSize];
  FormatTimeText(now, text);
  if (std::strcmp(text, c.lastTimeText) == 0) return;
  GdiFlush();  // GDI may not write the bits behind the renderer's back
  if (HasFaceImages(c))
    ShowFaceImage(c, c.bgIndex);
  else
    ShowBuiltInFace(c);
  DrawHands(c.face.view, *c.program->build, c.program->settings.hands, text);
  std::memcpy(c.lastTimeText, text, kTimeTextSize);
  // Without face images the count is -1 and the index stays 0.
  c.bgIndex = (c.bgIndex + 1) % c.program->settings.imageCount;
  // Straight to the screen: a paint message would cost the window system several more
  // round trips each second. Before the window shows this draws nothing, and its first
  // paint shows the face.
  if (HDC dc = GetDC(c.window)) {
    CopyFace(dc, c.face);
    ReleaseDC(c.window, dc);
  }
}

// Form_Load: the first face and the first tick, before the window is shaped and shown.
bool Load(ClockWindow& c) {
  if (!CreateFaceSurface(kFaceSize, kFaceSize, &c.face)) return false;
  c.tooltip = CreateWindowTooltip(c.window);
  if (HasFaceImages(c)) ShowFaceImage(c, c.bgIndex);
  Tick(c);
  return true;
}

void ShowVersion(ClockWindow& c) {
  ProgramVersion v{};
  ReadProgramVersion(&v);
  wchar_t text[64];
  wsprintfW(text, L"- Original Clock -\r\n\r\nver%d.%d.%d", v.major, v.minor, v.revision);
  ShowPlainMessage(c.window, text, c.program->author.as<wchar_t>());
}

void ShowMenu(ClockWindow& c) {
  static const MenuItem kItems[] = {
      {kHomePage, L"ホームページ"}, {kMail, L"メール"}, {90, nullptr},
      {kVersion, L"バージョン"},   {kExit, L"終了"},
  };
  const ClockProgram& p = *c.program;
  switch (ShowPopupMenu(c.window, kItems, sizeof kItems / sizeof kItems[0])) {
    case kHomePage:
      if (p.homePage) OpenWithShell(p.homePage.as<wchar_t>(), p.folder.as<wchar_t>());
      break;
    case kMail:
      if (p.mail) OpenWithShell(p.mail.as<wchar_t>(), p.folder.as<wchar_t>());
      break;
    case kVersion:
      ShowVersion(c);
      break;
    case kExit:
      DestroyWindow(c.window);
      break;
  }
}

// Moves the window so that the grabbed point follows the pointer.
void Drag(ClockWindow& c, int x, int y) {
  RECT r;
  GetWindowRect(c.window, &r);
  SetWindowPos(c.window, nullptr, r.left + x - c.grabX, r.top + y - c.grabY, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(ClockWindow& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(c.window, &ps);
  PaintFace(dc, c.face, kWindowSize, kWindowBackgroundPixel);
  EndPaint(c.window, &ps);
}

// Called by the system, which on 32-bit Windows aligns the stack to 4 bytes only.
__attribute__((force_align_arg_pointer)) LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  ClockWindow& c = *g_clock;
  RelayToTooltip(c.tooltip, window, message, w, l);
  switch (message) {
    case WM_CREATE:
      c.window = window;
      return Load(c) ? 0 : -1;
    case WM_TIMER:
      if (w == kTickTimer) Tick(c);
      return 0;
    case WM_TIMECHANGE:
    case WM_POWERBROADCAST:
      // A clock set anew or a machine woken from sleep: the armed wake no longer falls on a
      // boundary, and the face may show a second long past.
      Tick(c);
      break;
    case WM_NOTIFY:
      if (wchar_t** text = TooltipTextRequest(l)) {
        if (wchar_t* made = TooltipText(c)) *text = made;
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_PAINT:
      Paint(c);
      return 0;
    case WM_LBUTTONDOWN:
      c.dragging = true;
      c.grabX = GET_X_LPARAM(l);
      c.grabY = GET_Y_LPARAM(l);
      SetCapture(window);  // keep the pointer's moves when it runs ahead of the window
      return 0;
    case WM_MOUSEMOVE:
      if (c.dragging) Drag(c, GET_X_LPARAM(l), GET_Y_LPARAM(l));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      c.dragging = false;  // any button's release ends a drag
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      c.dragging = false;
      return 0;
    case WM_RBUTTONDOWN:
      ShowMenu(c);
      return 0;
    case WM_KEYDOWN:
      if (w == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTickTimer);
      DestroyFaceSurface(&c.face);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int RunClockWindow(const ClockProgram& program) {
  ClockWindow clock{};
  clock.program = &program;
  g_clock = &clock;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"TavimoreClock";
  if (!RegisterClassW(&windowClass)) return 1;

  // Borderless: the window is its client area, so window and client pixels coincide and
  // the outline's coordinates apply to both.
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, program.buildName, WS_POPUP, 100, 100,
                                kWindowSize, kWindowSize, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;

  OutlinePiece pieces[kMaxOutlinePieces];
  const int count = program.build->outline(kFaceSize, kFaceSize, pieces);
  ApplyWindowRegion(window, pieces, count);
  // Topmost and visible, without moving or resizing; then active, as an ordinary window is
  // when it is shown, so that Esc reaches it at once.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetForegroundWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace tavimore
