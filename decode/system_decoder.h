// The decoders of the system a program runs on, for JPEG, GIF and PNG: on Linux Debian's
// libjpeg-turbo, giflib and libpng (decode/*_reader.cpp), on Windows the Windows Imaging
// Component (decode/wic_decoder.cpp). The caller has read the header and asks for
// exactly `width` x `height` pixels; a file whose data does not give that size, cannot be
// decoded or would need more memory than such a picture fails.
//
// Rules both sides keep, so that lossless pictures decode to the same bytes everywhere:
// 16-bit channels keep their high byte; grey and palette pixels become RGB; a PNG's
// transparent colour and a GIF's transparent index become alpha 0; only the first frame
// of a GIF is read, placed at its offset on the logical screen, and what it does not cover
// is transparent. Gamma and colour profiles are not applied. JPEG is lossy, and the two
// sides' decoders may round differently.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/decoded_pixels.h"
#include "core/picture_header.h"

namespace tavimore {

bool DecodeWithSystem(PictureKind kind, const uint8_t* bytes, size_t size, int width, int height,
                      DecodedPixels* out);

}  // namespace tavimore
