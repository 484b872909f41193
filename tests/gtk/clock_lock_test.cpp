#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "linux/clock_lock.h"

namespace tavimore {
namespace {

class ClockLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/clock-lock-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string folder_;
};

// Test that one clock file gives one clock, different files one each, and that ending a
// clock frees its file for the next start.
TEST_F(ClockLockTest, OneClockPerFile) {
  int first = -1, second = -1, other = -1;
  ASSERT_EQ(ClaimClockFile("/home/a/oriclock.exe", folder_, &first), ClockLock::kHeld);
  EXPECT_EQ(ClaimClockFile("/home/a/oriclock.exe", folder_, &second), ClockLock::kTaken);
  EXPECT_EQ(second, -1);
  ASSERT_EQ(ClaimClockFile("/home/b/oriclock.exe", folder_, &other), ClockLock::kHeld);
  close(first);
  ASSERT_EQ(ClaimClockFile("/home/a/oriclock.exe", folder_, &second), ClockLock::kHeld);
  close(second);
  close(other);
}

// Test that lock names are stable, differ with the path, and stay file names.
TEST_F(ClockLockTest, NamesFollowThePath) {
  const std::string a = ClockLockName("/home/a/oriclock.exe");
  EXPECT_EQ(a, ClockLockName("/home/a/oriclock.exe"));
  EXPECT_NE(a, ClockLockName("/home/a/oriclock.ex"));
  EXPECT_NE(a, ClockLockName("/home/b/oriclock.exe"));
  EXPECT_EQ(ClockLockName("/時計/月.exe").find('/'), std::string::npos);
}

// Test that a missing lock folder does not keep a clock from starting.
TEST_F(ClockLockTest, NoFolderMeansNoLock) {
  int fd = 0;
  EXPECT_EQ(ClaimClockFile("/x", folder_ + "/missing", &fd), ClockLock::kUnavailable);
}

}  // namespace
}  // namespace tavimore
