#include "linux/autostart_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimore {
namespace {

// Test that a login entry starts the program with the clock file, each argument quoted, and
// that a file name with a line break does not break the entry's name line.
TEST(AutostartEntryTest, EntryStartsTheClockFile) {
  const std::string entry = AutostartEntry("/usr/bin/tavimore-clock", "/clocks/a\nb.exe");
  EXPECT_NE(entry.find("\nExec=\"/usr/bin/tavimore-clock\" \"/clocks/a\nb.exe\"\n"), std::string::npos)
      << entry;
  EXPECT_EQ(entry.find("Name=Tavimore Clock (a\n"), std::string::npos) << "a name of one line";
}

}  // namespace
}  // namespace tavimore
