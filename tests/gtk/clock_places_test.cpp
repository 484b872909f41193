#include "linux/clock_places.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "linux/clock_file_key.h"

namespace tavimore {
namespace {

// Test that a place and fit are kept per file and read back, and that a damaged one is ignored.
TEST(ClockPlacesTest, PlacesKeptPerFile) {
  const std::string state = testing::TempDir() + "/places-" + ClockFileKey(testing::TempDir());
  SavePlace(state, "/a/oriclock.exe", {-1200, 340}, {2, 1, false, true});
  ScreenPoint p{};
  DeskFit fit{};
  ASSERT_TRUE(ReadPlace(state, "/a/oriclock.exe", &p, &fit));
  EXPECT_EQ(p.x, -1200);
  EXPECT_EQ(p.y, 340);
  EXPECT_EQ(PackDeskFit(fit), PackDeskFit({2, 1, false, true}));
  EXPECT_FALSE(ReadPlace(state, "/b/oriclock.exe", &p, &fit));
  std::FILE* f = std::fopen((state + "/tavimore/place-" + ClockFileKey("/a/oriclock.exe")).c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("12 junk\n", f);
  std::fclose(f);
  EXPECT_FALSE(ReadPlace(state, "/a/oriclock.exe", &p, &fit));
}

}  // namespace
}  // namespace tavimore
