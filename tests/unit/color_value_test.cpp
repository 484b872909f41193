#include "core/color_value.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

// Test the conversion with three different channels, so that a swap of the wrong two, or
// none, shows; and that the unused top byte never reaches the result.
TEST(ColorValueTest, RedAndBlueChangePlaces) {
  EXPECT_EQ(PixelFromColor(0x00112233), 0x00332211u);
  EXPECT_EQ(ColorFromPixel(0x00112233), 0x00332211u);
  EXPECT_EQ(PixelFromColor(0x000000FF), 0x00FF0000u);  // red is the colour's low byte
  EXPECT_EQ(ColorFromPixel(0x00FF0000), 0x000000FFu);  // and the pixel's third
  EXPECT_EQ(PixelFromColor(0xAB112233), 0x00332211u);
  for (uint32_t value : {0x00000000u, 0x00FFFFFFu, 0x00804020u, 0x00010203u})
    EXPECT_EQ(ColorFromPixel(PixelFromColor(value)), value) << std::hex << value;
}

}  // namespace
}  // namespace tavimore
