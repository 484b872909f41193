#include "platform/ole_picture.h"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace tavimore {
namespace {

// A COM reference released when it goes out of scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
};

bool CopyBitmap(HBITMAP bitmap, int width, int height, uint32_t* values) {
  BITMAP header{};
  if (GetObjectW(bitmap, sizeof header, &header) != sizeof header || header.bmWidth != width ||
      header.bmHeight != height)
    return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom row first, as face images are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, height, values, &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return false;
  for (int i = 0; i < width * height; ++i) values[i] &= 0x00FFFFFF;
  return true;
}

}  // namespace

bool DecodePictureWithOle(const uint8_t* bytes, size_t size, int width, int height,
                          uint32_t* values) {
  // The stream takes over the memory and frees it with its last reference.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream.p))) {
    GlobalFree(memory);
    return false;
  }
  // Some loaders create their decoders through COM, which wants the thread initialised.
  const HRESULT com = CoInitialize(nullptr);
  bool done = false;
  {
    ComRef<IPicture> picture;
    OLE_HANDLE handle = 0;
    short type = PICTYPE_UNINITIALIZED;
    if (SUCCEEDED(OleLoadPicture(stream.p, static_cast<LONG>(size), FALSE, __uuidof(IPicture),
                                 reinterpret_cast<void**>(&picture.p))) &&
        SUCCEEDED(picture.p->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture.p->get_Handle(&handle)))
      done = CopyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), width, height,
                        values);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return done;
}

}  // namespace tavimore
