#include "clock/clock_window.h"

#include <windows.h>
#include <windowsx.h>

#include "core/clock_face.h"
#include "core/clock_placement.h"
#include "core/clock_texts.h"
#include "core/clock_tick.h"
#include "core/desk_fit.h"
#include "core/enlarged_face.h"
#include "platform/clock_place.h"
#include "platform/end_running_clock.h"
#include "platform/face_surface.h"
#include "platform/full_screen.h"
#include "platform/heap_block.h"
#include "platform/local_time.h"
#include "platform/login_start.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/shell_open.h"
#include "platform/tooltip.h"
#include "platform/window_dpi.h"
#include "platform/window_region.h"

#if !defined(TAVIMORE_VERSION_MAJOR) || !defined(TAVIMORE_VERSION_MINOR) || \
    !defined(TAVIMORE_VERSION_REVISION)
#error "compile with TAVIMORE_VERSION_MAJOR, _MINOR and _REVISION, the program's version"
#endif

namespace tavimore {
namespace {

constexpr UINT_PTR kTickTimer = 1;
// What wsprintf writes at most, its zero included, however long the texts it is given: a
// longer author's name is cut there, on the screen as in the buffer.
constexpr int kWsprintfRoom = 1024;

// The window's own state (one window per program).
struct ClockWindow {
  const ClockProgram* program;
  HWND window;
  HWND tooltip;
  FaceSurface face;
  HeapBlock enlargedPixels;          // the face picture enlarged for the window's scale
  EnlargedFace enlarged;             // what they hold
  HeapBlock tooltipText;             // kWsprintfRoom characters: the text the tooltip last
                                     // asked for, which it reads after the request returns
  Ticker ticker;                     // the second drawn last and the next face image
  bool dragging;
  bool moved;                        // the drag under way has moved the window
  bool behind;                       // behind a full-screen window, not topmost
  bool pointerOver;                  // faded under the pointer, its leaving tracked
  DeskFit fit;                       // the user's size, see-through, fixed and fade
  int monitorDpi;                    // the scale of the window's monitor, as a DPI
  int dpi;                           // the scale the window is drawn at: FitDpi of it
  int wheel;                         // Ctrl + wheel turned short of a whole notch
  int grabX, grabY;                  // client position of the pointer when the drag began
  HeapBlock image;                   // a face image as read from the payload (uint32_t)
  KernelHandle opening;              // the thread opening the address chosen last
};

// "author yyyy/mm/dd(ddd)", made when the tooltip is about to show.
wchar_t* TooltipText(ClockWindow& c) {
  int dayOfWeek = 0;
  const LocalTime now = ReadLocalTime(&dayOfWeek);
  wchar_t weekday[kWeekdayNameRoom];
  WeekdayName(dayOfWeek, weekday, kWeekdayNameRoom);
  wchar_t* text = c.tooltipText.as<wchar_t>();
  wsprintfW(text, L"" TAVIMORE_TOOLTIP_FORMAT, c.program->author.as<wchar_t>(), now.year,
            now.month, now.day, weekday);
  return text;
}

void SetZOrder(HWND window, HWND after) {
  SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Behind a full-screen window in front while it lasts (placed after it, which also takes
// the topmost state away), on top again at the first wake after it is gone. Wine makes a
// window topmost only while it owns no topmost window, and keeps a tooltip topmost
// whatever it is told, so the tooltip is made anew once the clock is topmost again.
void KeepBehindFullScreen(ClockWindow& c) {
  HWND front = FullScreenWindowInFront(c.window);
  if ((front != nullptr) == c.behind) return;
  c.behind = front != nullptr;
  if (front) {
    SetZOrder(c.window, front);
    return;
  }
  if (c.tooltip) DestroyWindow(c.tooltip);
  SetZOrder(c.window, HWND_TOPMOST);
  c.tooltip = CreateWindowTooltip(c.window);
}

// Draws what `tick` shows and puts it on the screen.
void Draw(ClockWindow& c, const TickFace& tick) {
  const ClockProgram& p = *c.program;
  GdiFlush();  // GDI may not write the bits behind the renderer's back
  const int faceSize = ScaledFaceSize(c.dpi);
  DrawTickFace(CornerView(c.face.view, faceSize, faceSize), p.content,
               p.builtInFace.as<uint32_t>(), tick, c.dpi, &c.enlarged, c.image.as<uint32_t>());
  // Straight to the screen: a paint message would cost the window system several more
  // round trips each second. Before the window shows this draws nothing, and its first
  // paint shows the face.
  if (HDC dc = GetDC(c.window)) {
    CopyFace(dc, c.face);
    ReleaseDC(c.window, dc);
  }
}

// TMC_Timer: draws the second it finds when that differs from the one drawn last.
void Tick(ClockWindow& c) {
  const LocalTime now = ReadLocalTime(nullptr);
  // Armed before the drawing, whose time would otherwise delay the next wake.
  SetTimer(c.window, kTickTimer, WakeDelay(now.millisecond), nullptr);
  const TickFace tick = TickAt(&c.ticker, c.program->content.settings.imageCount, now);
  if (tick.redraw) Draw(c, tick);
}

// The window drawn for a monitor of `monitorDpi` at the user's size: its size, its outline
// and its face made for that scale, at `place` or where it is. At load, again when the
// window reaches a monitor of another scale, and when the user sizes it.
bool Scale(ClockWindow& c, int monitorDpi, const POINT* place) {
  c.monitorDpi = monitorDpi;
  const int dpi = FitDpi(monitorDpi, c.fit);
  const int faceSize = ScaledFaceSize(dpi), size = ScaledWindowSize(dpi);
  // A clock that cannot have its new surface stays at its old scale.
  if (!CreateFaceSurface(size, kWindowBackgroundPixel, &c.face)) return false;
  c.enlargedPixels = HeapBlock(faceSize * faceSize * sizeof(uint32_t));
  c.enlarged = EnlargedFace{c.enlargedPixels.as<uint32_t>()};
  if (c.dpi) {
    // A drag under way goes on holding the same point of the face.
    c.grabX = c.grabX * dpi / c.dpi;
    c.grabY = c.grabY * dpi / c.dpi;
  }
  c.dpi = dpi;
  OutlinePiece pieces[kMaxOutlinePieces];
  ApplyWindowRegion(c.window, pieces, ScaledOutline(*c.program->content.build, c.dpi, pieces));
  SetWindowPos(c.window, nullptr, place ? place->x : 0, place ? place->y : 0, size, size,
               SWP_NOZORDER | SWP_NOACTIVATE | (place ? 0 : SWP_NOMOVE));
  // The new face is blank: at load the first tick draws it, later the same second again.
  const TickFace last = LastTick(c.ticker, c.program->content.settings.imageCount);
  if (last.redraw)
    Draw(c, last);
  else
    Tick(c);
  InvalidateRect(c.window, nullptr, FALSE);
  return true;
}

// The window's opacity as the user fitted it, faded while the pointer is over it: the
// window system's, for a layered window (WS_EX_LAYERED), which the outline still cuts.
// A clock becomes one only once it is not opaque, and stays one: an opaque clock is the
// plain window it has always been, drawn and hit by the pointer as before.
void ShowAlpha(ClockWindow& c) {
  const int alpha = FitAlpha(c.fit, c.pointerOver);
  const LONG style = GetWindowLongW(c.window, GWL_EXSTYLE);
  if (alpha == kOpaque && !(style & WS_EX_LAYERED)) return;
  SetWindowLongW(c.window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(c.window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

// Form_Load: the first face, before the window is shown.
bool Load(ClockWindow& c) {
  c.image = HeapBlock(kImageValues * sizeof(uint32_t));
  c.tooltipText = HeapBlock(kWsprintfRoom * sizeof(wchar_t));
  if (!c.image || !c.tooltipText) return false;
  c.tooltip = CreateWindowTooltip(c.window);
  ShowAlpha(c);
  return Scale(c, WindowDpi(c.window), nullptr);
}

// The numbers the version resource carries too, from the same project version, compiled in:
// reading them back from the resource would take four more imports and a search of it.
void ShowVersion(ClockWindow& c) {
  wchar_t text[kVersionTextRoom];
  wsprintfW(text, L"" TAVIMORE_VERSION_FORMAT("\r\n"), TAVIMORE_VERSION_MAJOR,
            TAVIMORE_VERSION_MINOR, TAVIMORE_VERSION_REVISION);
  ShowPlainMessage(c.window, text, c.program->author.as<wchar_t>());
}

// Keeps where the clock is and how it is fitted for its file, at once, so a crash or a
// logoff keeps them too.
void Keep(ClockWindow& c) {
  RECT r;
  if (GetWindowRect(c.window, &r)) SaveClockPlace(c.program->fileKey, {r.left, r.top}, c.fit);
}

// Moves the clock to `wanted` (its top left corner), wholly on the monitor under its
// centre, drawn for it at `size` step: grown or shrunk about its centre, or moved by keys.
void MoveTo(ClockWindow& c, ScreenPoint wanted, int size) {
  Monitor monitors[kMaxMonitors];
  const int count = ReadMonitors(monitors, kMaxMonitors);
  const int oldSize = ScaledWindowSize(c.dpi);
  c.fit.size = size;
  const int newSize = ScaledWindowSize(FitDpi(c.monitorDpi, c.fit));
  const ScreenPoint p = GrowAboutCentre(wanted, oldSize, newSize, monitors, count);
  const POINT at{p.x, p.y};
  if (newSize != oldSize)
    Scale(c, c.monitorDpi, &at);
  else
    SetWindowPos(c.window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Keep(c);
}

// The clock's corner moved by (dx, dy), at `size` step.
void MoveBy(ClockWindow& c, int dx, int dy, int size) {
  RECT r;
  if (GetWindowRect(c.window, &r)) MoveTo(c, ScreenPoint{r.left + dx, r.top + dy}, size);
}

// The arrow keys: 1 pixel, 10 with Shift, unless the clock is fixed. Their virtual keys
// are in the order left, up, right, down.
void MoveByKey(ClockWindow& c, WPARAM key) {
  if (c.fit.fixed) return;
  const int step = GetKeyState(VK_SHIFT) < 0 ? 10 : 1;
  const int dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
  const int dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
  MoveBy(c, dx, dy, c.fit.size);
}

// Ctrl + wheel: a size step for each whole notch (WHEEL_DELTA), however finely the wheel
// reports its turns.
void Wheel(ClockWindow& c, int delta) {
  c.wheel += delta;
  if (c.wheel < WHEEL_DELTA && c.wheel > -WHEEL_DELTA) return;
  const int size = WheelSizeStep(c.fit.size, c.wheel);
  c.wheel = 0;
  MoveBy(c, 0, 0, size);
}

void ShowMenu(ClockWindow& c) {
#define TAVIMORE_MENU_CAPTION(index, caption) caption "\0"
#define TAVIMORE_MENU_ENTRY(index, caption) {index, -1},
#define TAVIMORE_SIZE_ENTRY(index, caption) {index, kMenuSize},
#define TAVIMORE_SEE_THROUGH_ENTRY(index, caption) {index, kMenuSeeThrough},
  static const wchar_t kCaptions[] = L"" TAVIMORE_CLOCK_MENU(TAVIMORE_MENU_CAPTION)
      TAVIMORE_SIZE_MENU(TAVIMORE_MENU_CAPTION) TAVIMORE_SEE_THROUGH_MENU(TAVIMORE_MENU_CAPTION);
  static const MenuItem kItems[] = {TAVIMORE_CLOCK_MENU(TAVIMORE_MENU_ENTRY)
                                    TAVIMORE_SIZE_MENU(TAVIMORE_SIZE_ENTRY)
                                    TAVIMORE_SEE_THROUGH_MENU(TAVIMORE_SEE_THROUGH_ENTRY)};
#undef TAVIMORE_MENU_CAPTION
#undef TAVIMORE_MENU_ENTRY
#undef TAVIMORE_SIZE_ENTRY
#undef TAVIMORE_SEE_THROUGH_ENTRY
  const ClockProgram& p = *c.program;
  const bool atLogin = StartsAtLogin(p.fileKey);
  const int checked[] = {atLogin ? kMenuLogin : -1, kMenuSizeStep + c.fit.size,
                         kMenuSeeThroughStep + c.fit.seeThrough, c.fit.fixed ? kMenuFixed : -1,
                         c.fit.fade ? kMenuFade : -1};
  const int chosen = ShowPopupMenu(c.window, kCaptions, kItems, sizeof kItems / sizeof kItems[0], checked,
                                   sizeof checked / sizeof checked[0]);
  switch (chosen) {
    case kMenuHomePage:
      if (p.homePage) OpenWithShell(p.homePage.as<wchar_t>(), &c.opening);
      break;
    case kMenuMail:
      if (p.mail) OpenWithShell(p.mail.as<wchar_t>(), &c.opening);
      break;
    case kMenuVersion:
      ShowVersion(c);
      break;
    case kMenuLogin:
      if (!SetStartAtLogin(p.fileKey, p.executable.as<wchar_t>(), !atLogin))
        ShowStopMessage(c.window, L"" TAVIMORE_LOGIN_PATH_TOO_LONG_MESSAGE, p.buildName);
      break;
    case kMenuFixed:
      c.fit.fixed = !c.fit.fixed;
      Keep(c);
      break;
    case kMenuFade:
      c.fit.fade = !c.fit.fade;
      ShowAlpha(c);
      Keep(c);
      break;
    case kMenuExit:
      DestroyWindow(c.window);
      break;
    default:
      if (chosen >= kMenuSeeThroughStep) {
        c.fit.seeThrough = chosen - kMenuSeeThroughStep;
        ShowAlpha(c);
        Keep(c);
      } else if (chosen >= kMenuSizeStep) {
        MoveBy(c, 0, 0, chosen - kMenuSizeStep);
      }
  }
}

// Moves the window so that the grabbed point follows the pointer.
void Drag(ClockWindow& c, int x, int y) {
  if (x == c.grabX && y == c.grabY) return;
  c.moved = true;
  RECT r;
  GetWindowRect(c.window, &r);
  SetWindowPos(c.window, nullptr, r.left + x - c.grabX, r.top + y - c.grabY, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where a drag ends, the clock is kept.
void EndDrag(ClockWindow& c) {
  if (c.dragging && c.moved) Keep(c);
  c.dragging = false;
}

// Where the clock belongs now, a window `size` pixels square: where it was left (`kept`),
// while that is on a screen, else the nearest place that is. A clock that keeps no place
// (null) stays where its window is, brought onto a screen too; before it has a window
// (GetWindowRect fails for none), it goes where a new clock goes, beside the clocks
// already running.
ScreenPoint PlaceNow(HWND window, int size, const ScreenPoint* kept) {
  Monitor monitors[kMaxMonitors];
  const int count = ReadMonitors(monitors, kMaxMonitors);
  ScreenPoint place;
  if (kept) {
    place = *kept;
  } else {
    RECT r;
    if (!GetWindowRect(window, &r)) {
      ScreenRect others[kMaxOtherClocks];
      const int running = OtherWindows(kClockWindowClass, nullptr, others, kMaxOtherClocks);
      return FirstPlace(size, monitors, count, others, running);
    }
    place = ScreenPoint{r.left, r.top};
  }
  return PlaceOnMonitors(place, size, monitors, count);
}

// The displays changed (a monitor unplugged or back, another resolution, a taskbar moved):
// the system may have moved the clock onto a monitor that is left, and its kept place is
// not touched by that. The clock goes where it belongs now, back to its kept place once
// that is on a screen again, drawn at the scale of the monitor there: the move itself may
// bring WM_DPICHANGED, whose suggested place is the system's, not ours.
void Dock(ClockWindow& c) {
  ScreenPoint kept;
  const bool keeps = ReadClockPlace(c.program->fileKey, &kept, nullptr);
  const ScreenPoint place = PlaceNow(c.window, ScaledWindowSize(c.dpi), keeps ? &kept : nullptr);
  SetWindowPos(c.window, nullptr, place.x, place.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const POINT at{place.x, place.y};
  Scale(c, WindowDpi(c.window), &at);
}

void Paint(ClockWindow& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(c.window, &ps);
  CopyFace(dc, c.face);
  EndPaint(c.window, &ps);
}

// Called by the system, which on 32-bit Windows aligns the stack to 4 bytes only.
// The state lives in RunClockWindow and reaches the procedure through the window's user
// data, set from the creation parameter at the first message that carries it: a static
// pointer would give the program a data section of its own.
__attribute__((force_align_arg_pointer)) LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                 reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  auto* state = reinterpret_cast<ClockWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!state) return DefWindowProcW(window, message, w, l);  // the few messages before it
  ClockWindow& c = *state;
  RelayToTooltip(c.tooltip, window, message, w, l);
  switch (message) {
    case WM_CREATE:
      c.window = window;
      return Load(c) ? 0 : -1;
    case WM_TIMER:
      if (w == kTickTimer) {
        // In the wake only: at load the window is not yet topmost, and the check would
        // have nothing to keep it behind of.
        KeepBehindFullScreen(c);
        Tick(c);
      }
      return 0;
    case WM_DPICHANGED: {
      // Moved onto a monitor of another scale: the system suggests where the window goes
      // so that it stays under the pointer; its size comes from the new scale.
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      const POINT place{suggested->left, suggested->top};
      Scale(c, HIWORD(w), &place);
      return 0;
    }
    case WM_GETDPISCALEDSIZE: {
      // Asked before WM_DPICHANGED: the size the window takes there, so that the place the
      // system suggests keeps the pointer on the same point of the clock. Not a linear
      // scaling: rounded, and no larger than at 500 %.
      auto* size = reinterpret_cast<SIZE*>(l);
      size->cx = size->cy = ScaledWindowSize(FitDpi(static_cast<int>(w), c.fit));
      return TRUE;
    }
    case WM_SETTINGCHANGE:
      // Of the settings, only the work areas (a taskbar moved or resized) bear on where
      // the clock may stand.
      if (w != SPI_SETWORKAREA) break;
      [[fallthrough]];
    case WM_DISPLAYCHANGE:
      Dock(c);
      break;
    case WM_TIMECHANGE:
    case WM_POWERBROADCAST:
      // A clock set anew or a machine woken from sleep: the armed wake no longer falls on a
      // boundary, and the face may show a second long past.
      Tick(c);
      break;
    case WM_NOTIFY:
      if (wchar_t** text = TooltipTextRequest(l)) {
        *text = TooltipText(c);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_PAINT:
      Paint(c);
      return 0;
    case WM_LBUTTONDOWN:
      if (c.fit.fixed) return 0;
      c.dragging = true;
      c.moved = false;
      c.grabX = GET_X_LPARAM(l);
      c.grabY = GET_Y_LPARAM(l);
      SetCapture(window);  // keep the pointer's moves when it runs ahead of the window
      return 0;
    case WM_MOUSEMOVE:
      if (c.dragging) Drag(c, GET_X_LPARAM(l), GET_Y_LPARAM(l));
      if (c.fit.fade && !c.pointerOver) {
        // Faded until the system says the pointer has left.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        c.pointerOver = TrackMouseEvent(&track) != FALSE;
        ShowAlpha(c);
      }
      return 0;
    case WM_MOUSELEAVE:
      c.pointerOver = false;
      ShowAlpha(c);
      return 0;
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(w) & MK_CONTROL) Wheel(c, GET_WHEEL_DELTA_WPARAM(w));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      EndDrag(c);  // any button's release ends a drag
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      EndDrag(c);
      return 0;
    case WM_RBUTTONDOWN:
      ShowMenu(c);
      return 0;
    case WM_KEYDOWN:
      if (w == VK_ESCAPE) DestroyWindow(window);
      if (w >= VK_LEFT && w <= VK_DOWN) MoveByKey(c, w);
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
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClockWindowClass;
  if (!RegisterClassW(&windowClass)) return 1;

  // The place and the fit kept for the file, read once: the size it starts at depends on
  // the fit. Its size the one at the system's scale: the window's own is known only once
  // the window is on its monitor.
  ScreenPoint kept;
  const bool keeps = ReadClockPlace(program.fileKey, &kept, &clock.fit);
  const ScreenPoint place = PlaceNow(
      nullptr, ScaledWindowSize(FitDpi(WindowDpi(nullptr), clock.fit)), keeps ? &kept : nullptr);
  // Borderless: the window is its client area, so window and client pixels coincide and
  // the outline's coordinates apply to both; its size and outline are set at load, once
  // its scale is known. Topmost from its creation, before its tooltip (a topmost window it
  // owns) exists: a window that already owns a topmost popup is left where it was by
  // SetWindowPos(HWND_TOPMOST) under Wine, while Windows moves both. A tool window: no
  // taskbar button and no Alt+Tab entry, as a desktop clock should have.
  HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClockWindowClass, program.buildName,
                                WS_POPUP, place.x, place.y, kWindowSize, kWindowSize, nullptr,
                                nullptr, instance, &clock);
  if (!window) return 1;

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
  FinishOpening(&clock.opening);
  return 0;
}

}  // namespace tavimore
