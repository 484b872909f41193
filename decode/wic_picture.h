// A picture in memory opened by the Windows Imaging Component: its factory, a stream over
// the bytes and the decoder the component chose for them, owned together since the
// decoder reads the stream and the format converters come from the factory. COM must be
// usable on the thread (platform/com_apartment.h) for as long as they live.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <cstddef>
#include <cstdint>

#include "platform/handle_owners.h"

namespace tavimore {

struct WicPicture {
  ComRef<IWICImagingFactory> factory;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
};

// False when there is no imaging component, or the bytes are no picture it decodes. The
// bytes are read in place: they must outlive the picture.
bool OpenWicPicture(const uint8_t* bytes, size_t size, WicPicture* picture);

}  // namespace tavimore
