// window_probe: what a person sees of a window, read through the window system from
// outside the program, for the editor's tests under Wine. Prints one JSON object (UTF-8):
//
//   window_probe window TITLE   the visible top-level window titled exactly TITLE: its
//                               place, client area, styles, DPI awareness (0 none, 1 the
//                               system's DPI, 2 per monitor) and DPI, and every child window
//                               with its class, id, text, place in client coordinates,
//                               styles, and state (focus, selection, scroll position, list
//                               items)
//   window_probe list PATTERN   the file names the directory listing returns for PATTERN,
//                               in its order
//   window_probe fullscreen     a window over the whole primary monitor, in front, until
//                               the probe is ended
//   window_probe claim PATH     holds the single-instance claim of the program file PATH
//                               as a program started as administrator does, one that we
//                               may not open (a security descriptor without access for
//                               anyone); prints {"held":true} and waits until it is ended
//
// Places are the screen's own pixels: the probe is per-monitor aware, so the system does not
// scale a window of a program that is not aware to 96 DPI for it.
//
// Exit code 0 with the object, 1 when the window is not there, 2 on wrong arguments.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/single_instance.h"

namespace {

constexpr UINT kTimeoutMs = 2000;  // a window that does not answer within this is hung

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                      nullptr, nullptr);
  return out;
}

std::string Json(const std::wstring& text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                           &result))
    return -1;
  return static_cast<LRESULT>(result);
}

// A control's text: WM_GETTEXT, since GetWindowText does not ask another process's
// controls.
std::wstring TextOf(HWND window) {
  const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, 0);
  Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data());
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

struct Found {
  std::wstring title;
  HWND window = nullptr;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  if (found->title != title) return TRUE;
  found->window = window;
  return FALSE;
}

std::string Extra(HWND control, const std::wstring& cls) {
  std::string out;
  if (_wcsicmp(cls.c_str(), L"ScrollBar") == 0) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(control, SB_CTL, &info);
    out += ",\"pos\":" + std::to_string(Send(control, SBM_GETPOS, 0, 0)) +
           ",\"min\":" + std::to_string(info.nMin) + ",\"max\":" + std::to_string(info.nMax);
  } else if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
    const LRESULT count = Send(control, CB_GETCOUNT, 0, 0);
    out += ",\"selected\":" + std::to_string(Send(control, CB_GETCURSEL, 0, 0)) + ",\"items\":[";
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = Send(control, CB_GETLBTEXTLEN, i, 0);
      std::vector<wchar_t> item(static_cast<size_t>(length > 0 ? length : 0) + 1, 0);
      Send(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      out += (i ? "," : "") + Json(item.data());
    }
    out += "]";
  } else if (_wcsicmp(cls.c_str(), L"Edit") == 0) {
    const LRESULT selection = Send(control, EM_GETSEL, 0, 0);
    out += ",\"selStart\":" + std::to_string(LOWORD(selection)) +
           ",\"selEnd\":" + std::to_string(HIWORD(selection)) +
           ",\"limit\":" + std::to_string(Send(control, EM_GETLIMITTEXT, 0, 0));
  }
  return out;
}

int DescribeWindow(const std::wstring& title) {
  Found found;
  found.title = title;
  EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&found));
  if (!found.window) {
    std::printf("{\"found\":false}\n");
    return 1;
  }
  HWND window = found.window;
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
  const int awareness = static_cast<int>(
      GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window)));

  // A layered window's opacity as it was set, -1 for a window without one.
  BYTE alpha = 0;
  DWORD layered = 0;
  const int opacity = GetLayeredWindowAttributes(window, nullptr, &alpha, &layered) && (layered & LWA_ALPHA) ? alpha : -1;

  std::string out = "{\"found\":true,\"class\":" + Json(ClassOf(window)) +
                    ",\"title\":" + Json(title) +
                    ",\"outer\":[" + std::to_string(outer.left) + "," +
                    std::to_string(outer.top) + "," + std::to_string(outer.right - outer.left) +
                    "," + std::to_string(outer.bottom - outer.top) + "]" +
                    ",\"client\":[" + std::to_string(origin.x) + "," + std::to_string(origin.y) +
                    "," + std::to_string(client.right) + "," + std::to_string(client.bottom) +
                    "]" + ",\"style\":" + std::to_string(GetWindowLongW(window, GWL_STYLE)) +
                    ",\"exStyle\":" + std::to_string(GetWindowLongW(window, GWL_EXSTYLE)) +
                    ",\"alpha\":" + std::to_string(opacity) +
                    ",\"awareness\":" + std::to_string(awareness) +
                    ",\"dpi\":" + std::to_string(GetDpiForWindow(window)) +
                    ",\"children\":[";
  bool first = true;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    const std::wstring cls = ClassOf(child);
    out += std::string(first ? "" : ",") + "{\"class\":" + Json(cls) +
           ",\"id\":" + std::to_string(GetDlgCtrlID(child)) + ",\"text\":" + Json(TextOf(child)) +
           ",\"rect\":[" + std::to_string(r.left - origin.x) + "," +
           std::to_string(r.top - origin.y) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top) + "]" +
           ",\"style\":" + std::to_string(GetWindowLongW(child, GWL_STYLE)) +
           ",\"exStyle\":" + std::to_string(GetWindowLongW(child, GWL_EXSTYLE)) +
           ",\"enabled\":" + (IsWindowEnabled(child) ? "true" : "false") +
           ",\"visible\":" + (IsWindowVisible(child) ? "true" : "false") +
           ",\"focus\":" + (gui.hwndFocus == child ? "true" : "false") + Extra(child, cls) + "}";
    first = false;
  }
  out += "]}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int ListPattern(const std::wstring& pattern) {
  std::string out = "{\"names\":[";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  bool first = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      out += (first ? "" : ",") + Json(found.cFileName);
      first = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  out += "]}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int HoldClaim(const wchar_t* path) {
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  ACL acl;  // empty: no access for anyone
  InitializeAcl(&acl, sizeof acl, ACL_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
  SECURITY_ATTRIBUTES security{sizeof security, &descriptor, FALSE};
  const bool held = tavimore::ClaimSingleInstance(path, &security);
  std::printf("{\"held\":%s}\n", held ? "true" : "false");
  std::fflush(stdout);
  if (!held) return 1;
  Sleep(INFINITE);
  return 0;
}

// A window over the whole primary monitor, in front, as a video player in full screen is,
// until the probe is ended.
int FullScreen() {
  WNDCLASSW c{};
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = L"FullScreenProbe";
  RegisterClassW(&c);
  HWND window = CreateWindowExW(0, c.lpszClassName, L"full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, c.hInstance, nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (argc == 2 && std::wstring(argv[1]) == L"fullscreen") return FullScreen();
  if (argc == 3 && std::wstring(argv[1]) == L"window") return DescribeWindow(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"list") return ListPattern(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"claim") return HoldClaim(argv[2]);
  std::fprintf(stderr, "usage: window_probe window TITLE | list PATTERN | claim PATH | fullscreen\n");
  return 2;
}
