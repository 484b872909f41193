#include "core/write_file_atomically.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "temp_folder.h"

namespace tavimore {
namespace {

namespace fs = std::filesystem;
using WriteFileAtomicallyTest = test::TempFolderTest;

TEST_F(WriteFileAtomicallyTest, WritesWholeFilesAndLeavesNoTemporary) {
  std::string error;
  const fs::path target = dir_ / "oriclock.exe";
  ASSERT_TRUE(WriteFileAtomically(target, std::vector<uint8_t>(1000, 1), &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(target, std::vector<uint8_t>(10, 2), &error)) << error;
  EXPECT_EQ(Read(target), std::string(10, '\2'));  // replaced as a whole, though shorter
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(WriteFileAtomicallyTest, FailuresKeepTheOldFile) {
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
TEST_F(WriteFileAtomicallyTest, AFullDiskKeepsTheOldFileByteForByte) {
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

// Test that a replacement refused for a passing reason is tried again, a moment later, and
// one refused for a lasting reason is not: the errors MinGW's rename gives for a file in
// use (EIO for a sharing violation, EACCES for access denied) against a missing folder.
TEST(ReplaceRetryingTest, TriesAgainOnlyWhileTheFileMayBeInUse) {
  const struct {
    std::errc failure;
    int failures;     // before the replacement succeeds
    int calls;        // expected
    bool succeeds;
  } cases[] = {
      {std::errc::io_error, 2, 3, true},
      {std::errc::permission_denied, 1, 2, true},
      {std::errc::permission_denied, 10, 4, false},  // gives up after its attempts
      {std::errc::no_such_file_or_directory, 1, 1, false},
  };
  for (const auto& c : cases) {
    int calls = 0;
    const std::error_code ec = ReplaceRetrying(
        [&] { return ++calls > c.failures ? std::error_code() : std::make_error_code(c.failure); },
        4, std::chrono::milliseconds(1));
    EXPECT_EQ(calls, c.calls) << std::make_error_code(c.failure).message() << " " << c.failures;
    EXPECT_EQ(!ec, c.succeeds) << ec.message();
  }
}

}  // namespace
}  // namespace tavimore
