#include "core/clock_file_key.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimore {
namespace {

// Test that known paths keep the keys their places and login items are already kept under:
// UTF-16 units in upper-case digits (Windows), UTF-8 bytes in lower case (Linux), a unit
// above 0x7F and a key with leading zeros among them.
TEST(ClockFileKeyTest, KnownPathsKeepTheirKeys) {
  const std::u16string windowsPath = u"C:\\NOWHERE\\時計\\VARNET.EXE";
  std::string key(kClockFileKeyDigits, '-');
  WriteClockFileKey(windowsPath.data(), static_cast<int>(windowsPath.size()),
                    KeyDigits::kUpperCase, key.data());
  EXPECT_EQ(key, "0030C528D5422D46");
  const std::string linuxPath = "/home/a/時計.exe";
  WriteClockFileKey(linuxPath.data(), static_cast<int>(linuxPath.size()), KeyDigits::kLowerCase,
                    key.data());
  EXPECT_EQ(key, "9685d88e50704c63");
}

}  // namespace
}  // namespace tavimore
