// A GIF's frames composed as a browser shows them, one decoded frame at a time, so that a
// decoder never holds more than the screen, the frame it hands over and, for a frame that
// asks to be undone, one copy of the screen as it was before that frame.
//
// The logical screen starts transparent. Each frame is drawn at its offset, clipped to the
// screen; its transparent pixels (alpha 0) leave what is below. What the previous frame's
// disposal asks is done just before the next frame is drawn:
//   0, 1 (and 4 to 7, which no encoder writes): keep the screen as it is;
//   2: the frame's rectangle back to the background, which browsers make transparent
//      rather than the screen's background colour;
//   3: the screen back to what it was before that frame was drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "core/decoded_pixels.h"

namespace tavimore {

enum class GifDisposal : uint8_t { kKeep = 1, kBackground = 2, kPrevious = 3 };

// A frame as a decoder hands it over: its place on the screen, how it is undone, and its
// own `pixels` (its width and height, in the screen's channel order).
struct GifFrameImage {
  int left = 0, top = 0;
  GifDisposal disposal = GifDisposal::kKeep;
  DecodedPixels pixels;
};

struct GifCanvas {
  DecodedPixels screen;
  std::vector<uint8_t> previous;  // the screen before the last frame, for kPrevious
  int left = 0, top = 0, width = 0, height = 0;  // the last frame's rectangle
  GifDisposal disposal = GifDisposal::kKeep;     // and what it asks of the next one
};

// The disposal a graphic control extension's packed byte gives.
GifDisposal DisposalFromPacked(uint8_t packed);

// A transparent screen of `width` x `height` in `order`, no frame drawn yet.
void StartGifCanvas(int width, int height, ChannelOrder order, GifCanvas* canvas);

// Undoes the last frame as it asked and draws `frame`. False, the canvas untouched, for a
// frame whose pixels do not match their size or the screen's channel order.
bool DrawGifFrame(const GifFrameImage& frame, GifCanvas* canvas);

}  // namespace tavimore
