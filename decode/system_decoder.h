// The decoders of the system a program runs on, for JPEG, GIF and PNG: on Linux Debian's
// libjpeg-turbo, giflib and libpng (decode/*_reader.cpp), on Windows the Windows Imaging
// Component (decode/wic_decoder.cpp, decode/wic_gif_frames.cpp). The caller has read the
// header and asks for exactly `width` x `height` pixels; a file whose data does not give
// that size, cannot be decoded or would need more memory than such a picture fails.
//
// Rules both sides keep, so that lossless pictures decode to the same bytes everywhere:
// 16-bit channels keep their high byte; grey and palette pixels become RGB; a PNG's
// transparent colour and a GIF's transparent index become alpha 0; DecodeWithSystem
// reads only the first frame of a GIF, placed at its offset on the logical screen, and
// what it does not cover is transparent. Gamma and colour profiles are not applied. JPEG
// is lossy, and the two sides' decoders may round differently.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/decoded_pixels.h"
#include "core/picture_header.h"

namespace tavimore {

bool DecodeWithSystem(PictureKind kind, const uint8_t* bytes, size_t size, int width, int height,
                      DecodedPixels* out);

// Sees each frame of a GIF composed on its logical screen, and returns false to stop.
using GifFrameVisit = std::function<bool(const DecodedPixels& screen)>;

// Every frame of a GIF whose logical screen is `width` x `height`, composed as a browser
// shows it (core/gif_canvas.h) and handed to `visit` in turn, each frame decoded only when
// its turn comes: at most the screen, one frame and one earlier screen are held. By the
// same pixel rules as the first frame above. False when not even the first frame decodes;
// a file damaged or cut later gives the frames before the damage.
bool DecodeGifFrames(const uint8_t* bytes, size_t size, int width, int height,
                     const GifFrameVisit& visit);

}  // namespace tavimore
