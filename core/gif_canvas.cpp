#include "core/gif_canvas.h"

#include <cstring>

namespace tavimore {
namespace {

// The part of a rectangle that lies on the screen, as first and past-the-last columns and rows.
struct Clip {
  int x0, y0, x1, y1;
};

Clip ClipToScreen(int left, int top, int width, int height, const DecodedPixels& screen) {
  auto clamp = [](int64_t v, int hi) { return static_cast<int>(v < 0 ? 0 : v > hi ? hi : v); };
  return Clip{clamp(left, screen.width), clamp(top, screen.height),
              clamp(int64_t{left} + width, screen.width), clamp(int64_t{top} + height, screen.height)};
}

uint8_t* At(DecodedPixels* p, int x, int y) {
  return p->bytes.data() + (static_cast<size_t>(y) * p->width + x) * 4;
}

void Undo(GifCanvas* c) {
  if (c->disposal == GifDisposal::kPrevious && !c->previous.empty()) {
    c->screen.bytes.swap(c->previous);
    c->previous.clear();
    return;
  }
  if (c->disposal != GifDisposal::kBackground) return;
  const Clip r = ClipToScreen(c->left, c->top, c->width, c->height, c->screen);
  for (int y = r.y0; y < r.y1; ++y)
    std::memset(At(&c->screen, r.x0, y), 0, static_cast<size_t>(r.x1 - r.x0) * 4);
}

}  // namespace

GifDisposal DisposalFromPacked(uint8_t packed) {
  const int method = packed >> 2 & 7;
  return method == 2 ? GifDisposal::kBackground
                     : method == 3 ? GifDisposal::kPrevious : GifDisposal::kKeep;
}

void StartGifCanvas(int width, int height, ChannelOrder order, GifCanvas* canvas) {
  canvas->screen.width = width;
  canvas->screen.height = height;
  canvas->screen.order = order;
  canvas->screen.bytes.assign(static_cast<size_t>(width) * height * 4, 0);  // transparent
  canvas->previous.clear();
  canvas->disposal = GifDisposal::kKeep;
}

bool DrawGifFrame(const GifFrameImage& frame, GifCanvas* c) {
  const DecodedPixels& f = frame.pixels;
  if (f.width < 0 || f.height < 0 || f.order != c->screen.order ||
      f.bytes.size() != static_cast<size_t>(f.width) * f.height * 4)
    return false;
  Undo(c);
  if (frame.disposal == GifDisposal::kPrevious) c->previous = c->screen.bytes;
  c->left = frame.left, c->top = frame.top, c->width = f.width, c->height = f.height;
  c->disposal = frame.disposal;
  const Clip r = ClipToScreen(frame.left, frame.top, f.width, f.height, c->screen);
  // Nothing of the frame on the screen (an empty frame, or one beside it): its pixels,
  // which may be none at all, are not to be pointed into.
  if (r.x0 >= r.x1) return true;
  for (int y = r.y0; y < r.y1; ++y) {
    const uint8_t* from = f.bytes.data() +
                          (static_cast<size_t>(y - frame.top) * f.width + (r.x0 - frame.left)) * 4;
    uint8_t* to = At(&c->screen, r.x0, y);
    for (int x = r.x0; x < r.x1; ++x, from += 4, to += 4)
      if (from[3] != 0) std::memcpy(to, from, 4);
  }
  return true;
}

}  // namespace tavimore
