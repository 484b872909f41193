#include "platform/face_strip_view.h"

#include "core/payload_format.h"
#include "platform/dib_header.h"

namespace tavimore {
namespace {

constexpr wchar_t kClassName[] = L"TavimoreFaceStrip";

struct Faces {
  const uint32_t* blocks = nullptr;
  int count = 0;
};

void Paint(HWND view) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(view, &paint);
  RECT client;
  GetClientRect(view, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  const auto* faces = reinterpret_cast<const Faces*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (faces) {
    const BITMAPINFO info = BottomUpDibHeader(kFaceSize, kFaceSize);
    for (int k = 0; k < faces->count; ++k) {
      const int top = k * kFaceSize;
      if (top >= paint.rcPaint.bottom) break;
      if (top + kFaceSize <= paint.rcPaint.top) continue;
      SetDIBitsToDevice(dc, 0, top, kFaceSize, kFaceSize, 0, 0, 0, kFaceSize,
                        faces->blocks + static_cast<size_t>(k) * kImageValues, &info,
                        DIB_RGB_COLORS);
    }
  }
  EndPaint(view, &paint);
}

LRESULT CALLBACK ViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Faces));
      break;
    case WM_NCDESTROY:
      delete reinterpret_cast<Faces*>(GetWindowLongPtrW(view, GWLP_USERDATA));
      SetWindowLongPtrW(view, GWLP_USERDATA, 0);
      break;
    case WM_PAINT:
      Paint(view);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole box
    case WM_GETDLGCODE:
      // Arrow keys and characters come here and do nothing, rather than moving the focus:
      // a picture box reacts to no key. Tab still walks on.
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
      // A picture box takes the focus when clicked, as it does with Tab.
      SetFocus(view);
      return 0;
  }
  return DefWindowProcW(view, message, wParam, lParam);
}

}  // namespace

bool RegisterFaceStripView(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ViewProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFaceStripView(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  return CreateWindowExW(0, kClassName, nullptr, WS_CHILD | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         nullptr);
}

void ShowFaces(HWND view, const uint32_t* blocks, int count) {
  auto* faces = reinterpret_cast<Faces*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (!faces) return;
  faces->blocks = blocks;
  faces->count = blocks ? count : 0;
  InvalidateRect(view, nullptr, FALSE);
}

}  // namespace tavimore
