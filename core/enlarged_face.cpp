#include "core/enlarged_face.h"

#include "core/clock_face.h"

namespace tavimore {

void DrawTickFace(const PixelView& face, const ClockContent& content, const uint32_t* builtIn,
                  const TickFace& tick, int dpi, EnlargedFace* e,
                  uint32_t scratch[kImageValues]) {
  // Without memory of its own the picture is enlarged into the face at every redraw and
  // copied onto itself: the right face still, at the cost of enlarging.
  PixelView kept = face;
  if (e->pixels) kept = TopDownView(e->pixels, face.width, face.height);
  if (!e->pixels || e->dpi != dpi || e->faceImage != tick.faceImage) {
    DrawBackground(kept, TickBackground(content, tick.faceImage, builtIn, scratch), dpi);
    e->dpi = dpi;
    e->faceImage = tick.faceImage;
  }
  CopyPixels(face, kept);
  DrawHands(face, *content.build, content.settings.hands, tick.time, dpi);
}

}  // namespace tavimore
