#include "platform/face_strip_view.h"

#include <vector>

#include "core/clock_face.h"
#include "core/payload_format.h"
#include "platform/dib_header.h"

namespace tavimore {
namespace {

constexpr wchar_t kClassName[] = L"TavimoreFaceStrip";

struct Faces {
  const uint32_t* blocks = nullptr;
  int count = 0;
  int dpi = kBaseDpi;
  std::vector<uint32_t> enlarged;  // one face at `dpi`, bottom row first, as it is painted
};

// Where the stack of faces begins along one side of the box: in the middle when the box is
// larger (the bordered preview, whose border stays one pixel while the box scales).
int StackStart(int boxSide, int stackSide) {
  return boxSide > stackSide ? (boxSide - stackSide) / 2 : 0;
}

void Paint(HWND view) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(view, &paint);
  RECT client;
  GetClientRect(view, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  auto* faces = reinterpret_cast<Faces*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (faces && faces->count > 0) {
    const int size = ScaledFaceSize(faces->dpi);
    faces->enlarged.resize(static_cast<size_t>(size) * size);
    const BITMAPINFO info = BottomUpDibHeader(size, size);
    const int left = StackStart(client.right, size);
    const int first = StackStart(client.bottom, faces->count * size);
    for (int k = 0; k < faces->count; ++k) {
      const int top = first + k * size;
      if (top >= paint.rcPaint.bottom) break;
      if (top + size <= paint.rcPaint.top) continue;
      EnlargeFace(BottomUpView(faces->enlarged.data(), size, size),
                  faces->blocks + static_cast<size_t>(k) * kImageValues, faces->dpi);
      SetDIBitsToDevice(dc, left, top, size, size, 0, 0, 0, size, faces->enlarged.data(), &info,
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

void ShowFaces(HWND view, const uint32_t* blocks, int count, int dpi) {
  auto* faces = reinterpret_cast<Faces*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (!faces) return;
  faces->blocks = blocks;
  faces->count = blocks ? count : 0;
  faces->dpi = ClampDpi(dpi);
  InvalidateRect(view, nullptr, FALSE);
}

}  // namespace tavimore
