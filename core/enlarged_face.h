// The face picture enlarged once for the screen's scale and kept between redraws. A clock
// redraws every second, but its picture changes only when another face image comes round
// or the window reaches another scale, while enlarging it (EnlargeFace, area averaging
// between whole scales) costs many times the rest of a redraw. So a redraw copies the kept
// picture and draws the hands over it, and the picture is enlarged anew only for another
// face image or another scale. One picture is kept, however many face images a clock has:
// one that shows a new image every second enlarges every second.
//
// Every front end that redraws each second draws through here; what it shows is, to the
// pixel, what DrawFace draws for the same background, hands, time and scale.
#pragma once

#include <cstdint>

#include "core/clock_content.h"
#include "core/clock_tick.h"
#include "core/pixel_view.h"

namespace tavimore {

// Plain data; the front end owns the memory. It gives room for the scale it draws at and,
// when it makes the room anew (blank, as at a new scale) or its one background besides
// the face images changes, starts from a fresh EnlargedFace{pixels}, which holds nothing.
struct EnlargedFace {
  uint32_t* pixels = nullptr;  // ScaledFaceSize(dpi) squared, top row first; null: nothing
                               // is kept and every redraw enlarges into the face itself
  int dpi = 0;        // the scale the picture in `pixels` was made for; 0 while it holds none
  int faceImage = 0;  // which picture: a face image's index, or -1 for the one background
                      // the front end has besides them (the build's own face, the plain
                      // colour)
};

// The face a clock shows for `tick` at `dpi` (`face` is ScaledFaceSize(dpi) square), as
// DrawFace draws it over TickBackground's background: the picture `e` holds copied, with
// the hands over it. The tick's face image is read (into `scratch`, untouched for -1) and
// enlarged into `e` only when `e` does not hold it at `dpi`.
void DrawTickFace(const PixelView& face, const ClockContent& content, const uint32_t* builtIn,
                  const TickFace& tick, int dpi, EnlargedFace* e,
                  uint32_t scratch[kImageValues]);

}  // namespace tavimore
