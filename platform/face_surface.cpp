#include "platform/face_surface.h"

#include "platform/dib_header.h"
#include "platform/handle_owners.h"

namespace tavimore {

bool CreateFaceSurface(int size, uint32_t background, FaceSurface* face) {
  const BITMAPINFO info = BottomUpDibHeader(size, size);
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return false;
  const HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  if (!previous || previous == HGDI_ERROR) return false;
  // From here the surface owns both; DestroyFaceSurface gives them back.
  DestroyFaceSurface(face);
  face->previous = previous;
  face->bitmap = bitmap.release();
  face->dc = dc.release();
  face->view = BottomUpView(static_cast<uint32_t*>(bits), size, size);
  FillPixels(face->view, background);
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

}  // namespace tavimore
