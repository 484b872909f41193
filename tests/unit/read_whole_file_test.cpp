#include "core/read_whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace tavimore {
namespace {

using ReadWholeFileTest = test::TempFolderTest;

// Test that every byte comes back, zero bytes and all, and that an empty file is read as
// empty rather than refused.
TEST_F(ReadWholeFileTest, ReadsEveryByte) {
  const std::string text("MZ\0\x90\xFF\n\r", 7);
  Write(dir_ / "a.bin", text);
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(ReadWholeFile(dir_ / "a.bin", &bytes, &error)) << error;
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
  Write(dir_ / "empty.bin", "");
  ASSERT_TRUE(ReadWholeFile(dir_ / "empty.bin", &bytes, &error)) << error;
  EXPECT_TRUE(bytes.empty());
}

// Test that what cannot be read is refused with a reason naming the file.
TEST_F(ReadWholeFileTest, RefusesWithAReason) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(ReadWholeFile(dir_, &bytes, &error));
  EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
  EXPECT_FALSE(ReadWholeFile(dir_ / "missing.bin", &bytes, &error));
  EXPECT_NE(error.find("missing.bin"), std::string::npos) << error;
  // One byte over the limit, as a sparse file: refused before anything is read.
  Write(dir_ / "large.bin", "");
  std::filesystem::resize_file(dir_ / "large.bin", kMaxReadBytes + 1);
  EXPECT_FALSE(ReadWholeFile(dir_ / "large.bin", &bytes, &error));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

}  // namespace
}  // namespace tavimore
