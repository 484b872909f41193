// Where a GIF's first frame lies (its place on the logical screen and the end of its data),
// and how many frames the file holds, read from its records alone.
// A decoder that reads every frame of a file at once can be handed the file cut after the
// first frame (plus the one-byte trailer), so the frames we never show cost nothing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  size_t end = 0;  // the offset just past the frame's image data
};

// The largest first frame we decode, in pixels: a frame larger than the largest strip
// (80 x 20400) could only cost memory, since the screen cuts it to the strip's size.
constexpr int64_t kMaxGifFramePixels = 80 * 20400;

// False for a file that is not a GIF, ends before its first frame's data does, or whose
// first frame is larger than kMaxGifFramePixels.
bool FindGifFirstFrame(const uint8_t* bytes, size_t size, GifFrame* frame);

// How many frames the file holds, counted from its records without decoding any, so that
// a list of pictures can be judged by its number of faces first: 0 for a file that is not
// a GIF; a file cut or damaged inside a frame counts the frames before it.
int64_t CountGifFrames(const uint8_t* bytes, size_t size);

}  // namespace tavimore
