// Encoding a clock payload, the exact inverse of payload_reader.h (the layout is described
// in payload_format.h). The writer works on a byte buffer; writing files is the caller's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/payload_format.h"

namespace tavimore {

struct PayloadContent {
  // Texts already in code page 932, without terminator. A text is written up to its
  // first zero byte, since a zero byte would end the field early for every reader.
  std::string author;
  std::string url;
  std::string mail;
  Hand hands[kHandCount];
  // count x kImageValues values, image 1 (the top of the picture strip) first.
  std::vector<uint32_t> images;
};

int ImageCountOf(const PayloadContent& content);

// Appends the payload to `out`. Fails, appending nothing, when the images are not whole
// blocks or their count is not 1..255: such a payload could not be read back.
bool EncodePayload(const PayloadContent& content, std::vector<uint8_t>* out);

// The three colour bytes blue, green, red of a colour value 0x00BBGGRR.
void EncodeColor(uint32_t color, uint8_t bytes[3]);

}  // namespace tavimore
