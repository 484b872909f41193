#include "platform/face_surface.h"

#include "platform/gdi_owner.h"

namespace tavimore {

bool CreateFaceSurface(int width, int height, FaceSurface* face) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows run from the bottom up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(bitmap);
    return false;
  }
  face->dc = dc;
  face->bitmap = bitmap;
  face->previous = SelectObject(dc, bitmap);
  face->view = BottomUpView(static_cast<uint32_t*>(bits), width, height);
  return true;
}

void DestroyFaceSurface(FaceSurface* face) {
  if (!face->dc) return;
  SelectObject(face->dc, face->previous);
  DeleteDC(face->dc);
  DeleteObject(face->bitmap);
  *face = FaceSurface{};
}

void CopyFace(HDC target, const FaceSurface& face) {
  // The renderer writes the bits directly; GDI must not hold back a pending operation.
  GdiFlush();
  BitBlt(target, 0, 0, face.view.width, face.view.height, face.dc, 0, 0, SRCCOPY);
}

void PaintFace(HDC target, const FaceSurface& face, int size, uint32_t background) {
  CopyFace(target, face);
  GdiObject<HBRUSH> brush(CreateSolidBrush(
      RGB(background >> 16 & 0xFF, background >> 8 & 0xFF, background & 0xFF)));
  const RECT right{face.view.width, 0, size, size};
  const RECT below{0, face.view.height, face.view.width, size};
  FillRect(target, &right, brush.get());
  FillRect(target, &below, brush.get());
}

}  // namespace tavimore
