// Hands as the command line writes and reads them: the colour as people write colours,
// "#RRGGBB" with red first, and the length in percent, "#RRGGBB,LENGTH".
#pragma once

#include <cstdint>
#include <string>

#include "core/payload_format.h"

namespace tavimore {

// A colour value 0x00BBGGRR as "#RRGGBB", upper-case digits.
std::string ColorText(uint32_t color);

// "#RRGGBB,LENGTH" for a hand.
std::string HandText(const Hand& hand);

// Reads "#RRGGBB,LENGTH" (hex digits in either case, LENGTH kShortestHand to kLongestHand,
// nothing else around them); false, `hand` untouched, for any other text.
bool ParseHandText(const std::string& text, Hand* hand);

}  // namespace tavimore
