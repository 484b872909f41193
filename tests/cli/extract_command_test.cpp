// tavimore extract: the strip it writes holds the clock's exact face images, frame 1 on
// top, so that a clock built from it carries the same image blocks.
#include "cli_fixture.h"

namespace tavimore::test {
namespace {

using ExtractTest = CliTest;

TEST_F(ExtractTest, RoundTripGivesTheSameImageBlocks) {
  ASSERT_EQ(BuildClock("a.exe", 3).exitCode, 0);
  const RunResult r = Run({"extract", "a.exe", "--output", "strip2.png"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  Image strip;
  ASSERT_TRUE(DecodePicture(Read("strip2.png"), &strip));
  ASSERT_EQ(strip.width, 80);
  ASSERT_EQ(strip.height, 240);
  const Image original = MakeStrip(80, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(strip.Rgb(x, y), original.Rgb(x, y)) << "at " << x << ", " << y;

  ASSERT_EQ(Run({"build", "--definition", "def.prm", "--image", "strip2.png", "--output",
                 "b.exe"}).exitCode, 0);
  EXPECT_EQ(Read("b.exe"), Read("a.exe"));
}

TEST_F(ExtractTest, RefusesAProgramWithoutFaces) {
  Write("program.exe", FakeDefinition("Pirrow", 43520));
  ExpectRefused(Run({"extract", "program.exe", "--output", "s.png"}), 1);
  EXPECT_FALSE(Exists("s.png"));
  ASSERT_EQ(BuildClock("a.exe", 1).exitCode, 0);
  ExpectRefused(Run({"extract", "a.exe", "--output", "no/folder/s.png"}), 1);
  ExpectRefused(Run({"extract", "a.exe"}), 1);
}

}  // namespace
}  // namespace tavimore::test
