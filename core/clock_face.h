// Drawing the face of a clock, the same in the clock program and in every picture of it:
// the background (a face image, a built-in picture, or the plain colour) and the hands.
#pragma once

#include <cstdint>

#include "core/clock_build.h"
#include "core/clock_content.h"
#include "core/hand_geometry.h"
#include "core/pixel_view.h"

namespace tavimore {

// Copies a face image (kFacePixels values, bottom row first, 0x00RRGGBB) into the face.
void SetPicturePixels(const PixelView& face, const uint32_t* values);

// The face under the hands of a tick: face image `faceImage` of the content, read into
// `scratch`; for -1 (no face images) the build's own face `builtIn`, a face image decoded
// once by the front end, or null when the build has the plain colour.
const uint32_t* TickBackground(const ClockContent& content, int faceImage, const uint32_t* builtIn,
                               uint32_t scratch[kImageValues]);

// The background (a face image, or the plain colour for null) and over it the three hands
// for `time`, hour hand first, so the second hand lies on top.
void DrawFace(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
              const uint32_t* background, ClockTime time);
void DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               ClockTime time);

// The whole 82 x 82 window as the screen shows it inside the build's outline, top row
// first, pixels 0x00RRGGBB: the face at (0, 0) as DrawFace draws it, the window
// background beside it.
void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time, uint32_t window[kWindowPixels]);

// The window's pixels as RGBA bytes, with alpha 0 outside the build's outline and 255
// inside: a picture of the clock as it stands on the screen.
void WindowRgba(const ClockBuild& build, const uint32_t window[kWindowPixels],
                uint8_t rgba[kWindowPixels * 4]);

}  // namespace tavimore
