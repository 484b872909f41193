#include "core/decimal_text.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

// Test that the digits come most significant first, zero is one digit and the largest
// 32-bit value is written whole, all as std::to_wstring writes them.
TEST(DecimalTextTest, AsToWstringWritesThem) {
  for (unsigned long value : {0ul, 7ul, 100ul, 12291ul, 4294967295ul})
    EXPECT_EQ(DecimalText(value), std::to_wstring(value));
}

}  // namespace
}  // namespace tavimore
