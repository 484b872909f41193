#include "core/build_list.h"

#include <gtest/gtest.h>

#include <string>

#include "core/build_marker.h"

namespace tavimore {
namespace {

// Test that a clock program is recognised by the marker it carries, wherever it stands.
TEST(DetectBuildTest, FindsTheMarker) {
  const auto detect = [](const std::string& bytes) {
    const ClockBuild* b = DetectBuild(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return b ? std::string(b->name) : std::string("none");
  };
  const std::string marker = kBuildMarkerPrefix;
  const std::string zero(1, '\0');
  EXPECT_EQ(detect("MZ" + zero + zero + marker + "Quellet" + zero + "rest"), "Quellet");
  EXPECT_EQ(detect(marker + "Nobody" + zero + marker + "Pirrow" + zero), "Pirrow");
  EXPECT_EQ(detect(marker + "Pirrow"), "none");  // no terminator
  EXPECT_EQ(detect(marker + "Pirrowx" + zero), "none");
  EXPECT_EQ(detect(""), "none");
}

// Test that every build is found by its own name and by its marker, and by nothing else.
TEST(FindBuildTest, EveryBuildByNameAndMarker) {
  for (const ClockBuild* build : kAllBuilds) {
    EXPECT_EQ(FindBuild(build->name), build) << build->name;
    const std::string program = std::string("MZ") + kBuildMarkerPrefix + build->name + '\0';
    EXPECT_EQ(DetectBuild(reinterpret_cast<const uint8_t*>(program.data()), program.size()),
              build)
        << build->name;
  }
  EXPECT_EQ(FindBuild("varnet"), nullptr);  // the exact spelling only
  EXPECT_EQ(FindBuild(""), nullptr);
}

}  // namespace
}  // namespace tavimore
