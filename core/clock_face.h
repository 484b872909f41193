// Drawing the face of a clock, the same in the clock program and in every picture of it:
// the background (a face image, a built-in picture, or the plain colour) and the hands.
#pragma once

#include <cstdint>

#include "core/clock_build.h"
#include "core/clock_content.h"
#include "core/clock_scale.h"
#include "core/hand_geometry.h"
#include "core/pixel_view.h"

namespace tavimore {

// A face image (kFacePixels values, bottom row first, 0x00RRGGBB) enlarged to the face at `dpi` (ScaledFaceSize(dpi) square) by area
// averaging: each face pixel is the mean of the image pixels it covers, weighted by how
// much of it each covers. At whole scales every image pixel becomes an exact s x s block,
// so pixel art stays pixel art; at 150 % each image pixel is a crisp block with a blended
// row and column between neighbours, sharper than the system's bilinear stretching of an
// unaware program. At 96 DPI it is a straight copy.
void EnlargeFace(const PixelView& face, const uint32_t* values, int dpi);

// The face under the hands of a tick: face image `faceImage` of the content, read into
// `scratch`; for -1 (no face images) the build's own face `builtIn`, a face image decoded
// once by the front end, or null when the build has the plain colour.
const uint32_t* TickBackground(const ClockContent& content, int faceImage, const uint32_t* builtIn,
                               uint32_t scratch[kImageValues]);

// The background alone, ScaledFaceSize(dpi) square: a face image enlarged, or the plain
// colour for null.
inline void DrawBackground(const PixelView& face, const uint32_t* background, int dpi) {
  if (background)
    EnlargeFace(face, background, dpi);
  else
    FillPixels(face, kPlainFacePixel);
}

// The background (a face image, or the plain colour for null) and over it the three hands
// for `time`, hour hand first, so the second hand lies on top; the face is
// ScaledFaceSize(dpi) square.
void DrawFace(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
              const uint32_t* background, ClockTime time, int dpi);
// The hands keep their geometry in the units of the 80 x 80 face and are mapped onto the
// scaled face, pens scaled too: each line lies where the 96-DPI line's pixels lie once
// enlarged, drawn with the finer steps of the screen.
void DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               ClockTime time, int dpi);

// The window's pixels (ScaledWindowSize(dpi) squared, top row first) filled with the window
// background; returns the face's place in them, at (0, 0), for the face to be drawn into.
PixelView ClearClockWindow(uint32_t* window, int dpi);

// The whole window as the screen shows it inside the build's outline, top row first,
// ScaledWindowSize(dpi) squared pixels 0x00RRGGBB: the face at (0, 0) as DrawFace draws it,
// the window background beside it.
void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time, int dpi, uint32_t* window);

// The window's pixels as RGBA bytes (4 per pixel), with alpha 0 outside the build's
// outline and 255 inside: a picture of the clock as it stands on the screen.
void WindowRgba(const ClockBuild& build, int dpi, const uint32_t* window, uint8_t* rgba);

}  // namespace tavimore
