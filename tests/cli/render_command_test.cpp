// tavimore render: checked by properties of the picture, not against a stored one: the
// hands where the time puts them, the face image beneath, the outline in the alpha.
#include "cli_fixture.h"
#include "core/build_list.h"

namespace tavimore::test {
namespace {

using RenderTest = CliTest;

Image Decoded(const Bytes& png) {
  Image image;
  EXPECT_TRUE(DecodePicture(png, &image));
  EXPECT_EQ(image.width, 82);
  EXPECT_EQ(image.height, 82);
  return image;
}

// Hands 20, 30 and 36 pixels long from the Pirrow centre; at 03:00:30 the hour hand points
// right, the minute hand up and the second hand down.
TEST_F(RenderTest, DrawsHandsFaceAndOutline) {
  ASSERT_EQ(BuildClock("c.exe", 2, {"--hour", "#FF0000,50", "--minute", "#00FF00,75",
                                    "--second", "#0000FF,90"}).exitCode, 0);
  ASSERT_EQ(Run({"render", "c.exe", "--time", "03:00:30", "--frame", "1", "--output", "r.png"})
                .exitCode, 0);
  const Image r = Decoded(Read("r.png"));
  for (int x = 44; x <= 56; ++x) EXPECT_EQ(r.Rgb(x, 39), 0xFF0000u) << "hour at x " << x;
  for (int y = 12; y <= 35; ++y) EXPECT_EQ(r.Rgb(39, y), 0x00FF00u) << "minute at y " << y;
  for (int y = 44; y <= 74; ++y) EXPECT_EQ(r.Rgb(40, y), 0x0000FFu) << "second at y " << y;
  for (auto [x, y] : {std::pair{20, 60}, {60, 60}, {20, 20}, {79, 41}})
    EXPECT_EQ(r.Rgb(x, y), FrameBackground(1)) << x << ", " << y;
  for (auto [x, y] : {std::pair{0, 0}, {81, 81}, {80, 40}, {40, 80}, {2, 2}})
    EXPECT_EQ(r.Alpha(x, y), 0) << x << ", " << y;
  for (auto [x, y] : {std::pair{40, 40}, {3, 40}, {40, 78}}) EXPECT_EQ(r.Alpha(x, y), 255);

  // As Varnet the top-left corner is inside: the face image's top row is on top.
  ASSERT_EQ(Run({"render", "c.exe", "--time", "03:00:30", "--build", "Varnet", "--output",
                 "v.png"}).exitCode, 0);
  const Image v = Decoded(Read("v.png"));
  EXPECT_EQ(v.Rgb(9, 9), FrameMarker(0));
  EXPECT_EQ(v.Rgb(10, 10), FrameBackground(0));
  EXPECT_EQ(v.Rgb(80, 40), tavimore::kWindowBackgroundPixel);  // beside the face
}

TEST_F(RenderTest, TimesThatLookAlike) {
  ASSERT_EQ(BuildClock("c.exe", 1).exitCode, 0);
  auto render = [&](const char* time) {
    EXPECT_EQ(Run({"render", "c.exe", "--time", time, "--output", "t.png"}).exitCode, 0);
    return Decoded(Read("t.png")).bytes;
  };
  EXPECT_EQ(render("12:00:00"), render("00:00:00"));
  EXPECT_EQ(render("15:30:45"), render("03:30:45"));
  EXPECT_NE(render("03:00:00"), render("09:00:00"));
}

// A scale is the window's size on that screen: 150 % is 123 x 123.
TEST_F(RenderTest, DrawsAtAScale) {
  ASSERT_EQ(BuildClock("c.exe", 1).exitCode, 0);
  ASSERT_EQ(Run({"render", "c.exe", "--time", "03:00:00", "--scale", "1.5", "--output", "s.png"})
                .exitCode, 0);
  Image s;
  ASSERT_TRUE(DecodePicture(Read("s.png"), &s));
  EXPECT_EQ(s.width, 123);
  EXPECT_EQ(s.height, 123);
}

// A clock program alone: its build's own face and default hands. Each case names a pixel
// of the hour hand at 03:00:00 and its colour.
TEST_F(RenderTest, ProgramWithoutPayloadUsesItsBuild) {
  const struct {
    const char* build;
    int x, y;
    uint32_t hour;
  } cases[] = {{"Varnet", 45, 39, 0x003010}, {"Ossimar", 45, 39, 0x003010},
               {"Pirrow", 60, 39, 0x800000}, {"Quellet", 44, 59, 0x003010},
               {"Damsole", 24, 19, 0x003010}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.build);
    Write("p.exe", FakeDefinition(c.build, 30000));
    ASSERT_EQ(Run({"render", "p.exe", "--time", "03:00:00", "--output", "p.png"}).exitCode, 0);
    const Image r = Decoded(Read("p.png"));
    EXPECT_EQ(r.Rgb(c.x, c.y), c.hour);
    // Far from every hand: the build's picture, or the plain face where it has none.
    const tavimore::ClockBuild* b = tavimore::FindBuild(c.build);
    uint32_t face = tavimore::kPlainFacePixel;
    Image picture;
    if (b->picture && DecodePicture(Bytes(b->picture, b->picture + b->pictureSize), &picture))
      face = picture.Rgb(5, 75);
    EXPECT_EQ(r.Rgb(5, 75), face);
  }
}

TEST_F(RenderTest, Refusals) {
  ASSERT_EQ(BuildClock("c.exe", 2).exitCode, 0);
  Write("anon.exe", FakeDefinition("", 30000));
  const std::vector<std::vector<std::string>> cases = {
      {"anon.exe", "--time", "03:00:00"},  // no build recognised or named
      {"c.exe", "--time", "03:00:00", "--build", "Nobody"},
      {"c.exe", "--time", "03:00:00", "--frame", "2"},
      {"c.exe", "--time", "03:00:00", "--frame", "-1"},
      {"c.exe", "--time", "03:00:00", "--frame", "x"},
      {"anon.exe", "--time", "03:00:00", "--build", "Varnet", "--frame", "1"},
      {"c.exe", "--time", "24:00:00"},
      {"c.exe", "--time", "03:00:60"},
      {"c.exe", "--time", "3:00:00"},
      {"c.exe", "--time", "03:00:00x"},
      {"c.exe", "--time", "03:00:00", "--scale", "0.5"},  // pictures are never made smaller
      {"c.exe", "--time", "03:00:00", "--scale", "6"},
      {"c.exe"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"render", "--output", "r.png"};
    args.insert(args.end(), c.begin(), c.end());
    SCOPED_TRACE(testing::PrintToString(args));
    ExpectRefused(Run(args), 1);
    EXPECT_FALSE(Exists("r.png"));
  }
  ExpectRefused(Run({"render", "c.exe", "--time", "03:00:00", "--output", "none/r.png"}), 1);
}

}  // namespace
}  // namespace tavimore::test
