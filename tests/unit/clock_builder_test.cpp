#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/clock_builder.h"
#include "core/read_whole_file.h"
#include "core/write_file_atomically.h"

namespace tavimore {
namespace {

namespace fs = std::filesystem;

PayloadContent OneImage(const std::string& author) {
  PayloadContent c;
  c.author = author;
  c.hands[kHour] = {0x0000FF, 100};
  c.hands[kMinute] = {0xC00000, 1};
  c.hands[kSecond] = {0, 50};
  c.images.assign(kImageValues, 0x00ABCDEF);
  return c;
}

// Test the worked example: author "abc", empty address and mail, one 80 x 80 picture.
TEST(BuildClockBytesTest, TemplateThenPayload) {
  std::vector<uint8_t> small(43520, 0x4D);
  std::vector<uint8_t> out;
  ASSERT_TRUE(BuildClockBytes(small, OneImage("abc"), &out));
  ASSERT_EQ(out.size(), 80627u);
  EXPECT_EQ(out[43519], 0x4D);
  for (size_t i = 43520; i < kPayloadOffset; ++i) ASSERT_EQ(out[i], 0) << i;
  const uint8_t start[] = {0x61, 0x62, 0x63, 0, 0, 0, 1, 3, 0x00, 0x00, 0xFF, 100, 2, 0xC0, 0, 0, 1};
  EXPECT_EQ(std::memcmp(out.data() + kPayloadOffset, start, sizeof start), 0);

  std::vector<uint8_t> large(60000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i % 251 + 1);
  ASSERT_TRUE(BuildClockBytes(large, OneImage(""), &out));
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + kPayloadOffset, large.begin()));
  EXPECT_EQ(out[kPayloadOffset], 0);  // the payload starts at 55000 all the same

  PayloadContent none = OneImage("x");
  none.images.clear();
  EXPECT_FALSE(BuildClockBytes(large, none, &out));
}

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tavimore-unit-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  size_t Entries() { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(FileTest, DefinitionsThatCannotMakeAClock) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(ReadDefinition(dir_ / "missing.prm", &bytes, &error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
  Write(dir_ / "empty.prm", "");
  EXPECT_FALSE(ReadDefinition(dir_ / "empty.prm", &bytes, &error));
  EXPECT_NE(error.find("empty"), std::string::npos) << error;
  fs::create_directory(dir_ / "folder.prm");
  EXPECT_FALSE(ReadDefinition(dir_ / "folder.prm", &bytes, &error));
  EXPECT_FALSE(ReadWholeFile(dir_, &bytes, &error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  Write(dir_ / "good.prm", "MZ");
  EXPECT_TRUE(ReadDefinition(dir_ / "good.prm", &bytes, &error));
  EXPECT_EQ(bytes.size(), 2u);
}

TEST_F(FileTest, ReplaceWritesWholeFilesAndLeavesNoTemporary) {
  std::string error;
  const fs::path target = dir_ / "oriclock.exe";
  ASSERT_TRUE(WriteFileAtomically(target, std::vector<uint8_t>(1000, 1), &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(target, std::vector<uint8_t>(10, 2), &error)) << error;
  EXPECT_EQ(Read(target), std::string(10, '\2'));  // replaced as a whole, though shorter
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileTest, FailuresKeepTheOldFile) {
  std::string error;
  fs::create_directory(dir_ / "oriclock.exe");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "oriclock.exe", {1, 2, 3}, &error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(dir_ / "oriclock.exe"));

  EXPECT_FALSE(WriteFileAtomically(dir_ / "no-such-folder" / "oriclock.exe", {1}, &error));
  EXPECT_FALSE(error.empty());
}

// Test a disk that fills up in the middle of the write: a file-size limit makes the write
// fail the same way, in a child process so the limit stays there.
TEST_F(FileTest, AFullDiskKeepsTheOldFileByteForByte) {
  const fs::path target = dir_ / "oriclock.exe";
  Write(target, "the old clock");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{50000, 50000};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool ok = WriteFileAtomically(target, std::vector<uint8_t>(200000, 9), &error);
    // The reason is the system's own: too large a file, as a full disk would be "no space".
    const bool why = error.find(std::strerror(EFBIG)) != std::string::npos;
    _exit(ok ? 0 : (error.find("written") != std::string::npos && why ? 3 : 4));
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);
  EXPECT_EQ(Read(target), "the old clock");
  EXPECT_EQ(Entries(), 1u);
}

}  // namespace
}  // namespace tavimore
