// Decoding a clock payload: everything a clock file holds from kPayloadOffset to its end.
//
// The reader works as the clock does at start-up: the payload bytes are followed by one
// zero byte of the reader's own, which ends a last text field that lacks its terminator.
// Every read is checked against that end. A damaged payload (a text running past the end,
// a cut hand block, a count of 0, fewer image blocks than the count) gives an error value;
// nothing is ever read outside the given bytes. Bytes behind the last image are ignored.
//
// Texts are returned as places in the payload (code page 932 bytes); converting them is
// the caller's business, so the clock can use the window system's converter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/payload_format.h"

namespace tavimore {

enum class PayloadError {
  kNone = 0,
  kTextPastEnd,    // a text field starts beyond the end of the payload
  kHandBlockCut,   // the hand block does not fit
  kNoImages,       // the count is 0
  kImagesCut,      // fewer image blocks than the count
};

// A text field: `length` bytes at `offset` of the payload; length 0 means the field is
// empty and the clock uses its default.
struct TextField {
  uint32_t offset;
  uint32_t length;
};

struct DecodedPayload {
  TextField author;
  TextField url;
  TextField mail;
  int32_t imageCount;        // 1..255
  Hand hands[kHandCount];    // hour, minute, second
  uint32_t imagesOffset;     // payload offset of the first image block
};

// Number of bytes from `start` up to, not including, the first zero byte, where the byte
// at index `size` (one past the data) counts as zero. `start` must be at most `size`.
uint32_t FieldLength(const uint8_t* data, size_t size, size_t start);

PayloadError DecodePayload(const uint8_t* payload, size_t size, DecodedPayload* out);

// Copies face image `index` (0-based, below the decoded count) into `pixels`
// (kImageValues values); `imagesOffset` is the decoded DecodedPayload::imagesOffset. The
// last image may end on the reader's own zero byte; that byte is supplied here.
void ReadFaceImage(const uint8_t* payload, size_t size, uint32_t imagesOffset, int index,
                   uint32_t* pixels);

// A short English reason for an error, for logs and the command line.
const char* PayloadErrorText(PayloadError error);

}  // namespace tavimore
