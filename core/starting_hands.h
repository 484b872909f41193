// The hands a new clock gets when its maker sets none: what the editor shows when it opens
// and what `tavimore build` takes without --hour, --minute or --second, so that both make
// the same clock from the same picture. Also the lengths either of them accepts.
#pragma once

#include "core/payload_format.h"

namespace tavimore {

// Hour, minute, second: blues of rising brightness (red 0, green 0, blue 64, 128, 192, as
// colour values 0x00BBGGRR), each hand a little longer than the one before.
constexpr Hand kStartingHands[kHandCount] = {{0x400000, 75}, {0x800000, 80}, {0xC00000, 90}};

// Hand lengths in percent of half the face that a maker may choose: the editor's scroll
// bars run over this range, and the command line refuses anything outside it.
constexpr int kShortestHand = 1;
constexpr int kLongestHand = 100;

}  // namespace tavimore
