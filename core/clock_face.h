// Drawing the face of a clock, the same in the clock program and in every picture of it:
// the background (a face image, a built-in picture, or the plain colour) and the hands.
#pragma once

#include <cstdint>

#include "core/clock_build.h"
#include "core/hand_geometry.h"
#include "core/pixel_view.h"

namespace tavimore {

// Copies a face image (kFacePixels values, bottom row first, 0x00RRGGBB) into the face.
void SetPicturePixels(const PixelView& face, const uint32_t* values);

// Draws the three hands for the time in `timeText` ("yyyy/mm/dd hh:nn:ss") over whatever
// the face holds, hour hand first, so the second hand lies on top. False, with nothing
// drawn, when the text is not such a time.
bool DrawHands(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
               const char* timeText);
void DrawHandsAt(const PixelView& face, const ClockBuild& build, const Hand hands[kHandCount],
                 ClockTime time);

// The whole 82 x 82 window as the screen shows it, as RGBA bytes (kWindowSize rows of
// kWindowSize pixels, top row first): the face at (0, 0), the window background beside
// it, the hands, and alpha 0 outside the build's outline, 255 inside. `background` is a
// face image as in SetPicturePixels, or null for the plain colour.
void RenderClockWindow(const ClockBuild& build, const Hand hands[kHandCount],
                       const uint32_t* background, ClockTime time,
                       uint8_t rgba[kWindowSize * kWindowSize * 4]);

}  // namespace tavimore
