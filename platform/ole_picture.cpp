#include "platform/ole_picture.h"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <shlwapi.h>

#include "platform/com_apartment.h"
#include "platform/dib_header.h"
#include "platform/handle_owners.h"

namespace tavimore {
namespace {

bool CopyBitmap(HBITMAP bitmap, int width, int height, uint32_t* values) {
  BITMAP header{};
  if (GetObjectW(bitmap, sizeof header, &header) != sizeof header || header.bmWidth != width ||
      header.bmHeight != height)
    return false;
  BITMAPINFO info = BottomUpDibHeader(width, height);
  const ScreenDc screen;
  if (!screen.get() ||
      GetDIBits(screen.get(), bitmap, 0, height, values, &info, DIB_RGB_COLORS) != height)
    return false;
  for (int i = 0; i < width * height; ++i) values[i] &= 0x00FFFFFF;
  return true;
}

}  // namespace

bool DecodePictureWithOle(const uint8_t* bytes, size_t size, int width, int height,
                          uint32_t* values) {
  // Some loaders create their decoders through COM, which wants the thread initialised.
  // The apartment is entered before the stream is made and left after it is released.
  const ComApartment com;
  // A stream over its own copy of the bytes, freed with its last reference.
  ComRef<IStream> stream;
  *stream.out() = SHCreateMemStream(bytes, static_cast<UINT>(size));
  if (!stream) return false;
  ComRef<IPicture> picture;
  OLE_HANDLE handle = 0;
  short type = PICTYPE_UNINITIALIZED;
  bool done = false;
  if (SUCCEEDED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, __uuidof(IPicture),
                               reinterpret_cast<void**>(picture.out()))) &&
      SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture->get_Handle(&handle)))
    done = CopyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), width, height,
                      values);
  return done;
}

}  // namespace tavimore
