#include "tools/hand_text.h"

#include <cstdio>

#include "core/color_value.h"
#include "core/starting_hands.h"
#include "tools/hex_digit.h"

namespace tavimore {

std::string ColorText(uint32_t color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(PixelFromColor(color)));
  return text;
}

std::string HandText(const Hand& hand) {
  return ColorText(hand.color) + "," + std::to_string(hand.length);
}

bool ParseHandText(const std::string& text, Hand* hand) {
  // "#RRGGBB," and one to three digits.
  if (text.size() < 9 || text.size() > 11 || text[0] != '#' || text[7] != ',') return false;
  uint32_t rgb = 0;
  for (int i = 1; i <= 6; ++i) {
    const int d = HexDigit(text[i]);
    if (d < 0) return false;
    rgb = rgb << 4 | static_cast<uint32_t>(d);
  }
  int length = 0;
  for (size_t i = 8; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    length = length * 10 + (text[i] - '0');
  }
  if (length < kShortestHand || length > kLongestHand) return false;
  hand->color = ColorFromPixel(rgb);
  hand->length = length;
  return true;
}

}  // namespace tavimore
