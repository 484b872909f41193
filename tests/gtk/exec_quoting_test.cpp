#include "linux/exec_quoting.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

// Test that an argument reaches the program whatever characters it holds: quoted, the
// format's reserved characters escaped, and the string's own escape (the backslash) doubled.
TEST(ExecQuotingTest, ArgumentsSurviveTheEntry) {
  EXPECT_EQ(DesktopExecArgument("/home/a b/時計.exe"), "\"/home/a b/時計.exe\"");
  EXPECT_EQ(DesktopExecArgument("a\"b`c$d\\e%f"), "\"a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f\"");
}

}  // namespace
}  // namespace tavimore
