// The layout of a built clock: a clock program's executable brought to exactly
// kPayloadOffset bytes, followed by the payload
//
//   author name, zero byte     text in code page 932 (an empty text is the zero byte alone)
//   home-page address, zero    the same form
//   mail address, zero         the same form
//   hand block                 17 bytes, see below
//   image blocks               count x 25604 bytes
//
// Hand block, hands in the order hour, minute, second, each five bytes
//   [0]           image count, 1..255
//   [1 + 5i]      line width the writer records (3, 2, 1); readers ignore it
//   [2..4 + 5i]   colour as blue, green, red (the colour value's low three bytes, big-endian)
//   [5 + 5i]      length in percent of half the face size
//   [16]          reserved, 0
//
// Image block: 6401 little-endian 32-bit values; 0..6399 are the 80 x 80 pixels, bottom
// row first, each row left to right, each 0x00RRGGBB; value 6400 is a spare, written 0.
//
// The format has no magic number, version, length or checksum, and must not get one:
// clocks written by other tools have to keep working. Fields are found only by their
// order and the zero terminators.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

constexpr uint32_t kPayloadOffset = 55000;
constexpr int kFaceSize = 80;                                 // a face image is 80 x 80
constexpr int kFacePixels = kFaceSize * kFaceSize;            // 6400
constexpr int kImageValues = kFacePixels + 1;                 // plus the spare value
constexpr size_t kImageBlockBytes = kImageValues * 4;        // 25604
constexpr size_t kHandBlockBytes = 17;
constexpr int kMaxImages = 255;                               // the count is one byte

enum HandIndex { kHour = 0, kMinute = 1, kSecond = 2 };
constexpr int kHandCount = 3;

// One hand: colour value 0x00BBGGRR (red in the low byte, the window system's colour
// form) and length in percent of half the face size (0..255 in a payload).
struct Hand {
  uint32_t color;
  int32_t length;
};

// The pen width each hand is drawn with, also what the writer records in the hand block.
constexpr int kPenWidth[kHandCount] = {3, 2, 1};

}  // namespace tavimore
