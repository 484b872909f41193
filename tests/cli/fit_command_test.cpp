// tavimore build --fit: any pictures, in order, become the clock's faces.
#include "cli_fixture.h"
#include "core/face_fit.h"
#include "core/payload_format.h"

namespace tavimore::test {
namespace {

constexpr size_t kFaces = 55000 + 20;  // the count byte follows three empty texts; faces after the hands
constexpr size_t kBlock = kImageValues * 4;

uint32_t FaceValue(const Bytes& f, int face, int x, int y) {  // rows stored bottom first
  const size_t at = kFaces + face * kBlock + 4 * ((79 - y) * 80 + x);
  return f[at] | f[at + 1] << 8 | f[at + 2] << 16;
}

Bytes Faces(const Bytes& f, int first, int count) {
  return Bytes(f.begin() + kFaces + first * kBlock, f.begin() + kFaces + (first + count) * kBlock);
}

// The face FitFace makes of a 400 x 300 pattern photo's `square`, as a clock stores it.
Bytes PhotoFace(const FaceSquare& square) {
  const std::vector<uint8_t> rgb = PatternPixels(400, 300, 3);
  DecodedPixels pixels{400, 300, ChannelOrder::kRgba, {}};
  for (size_t i = 0; i < rgb.size(); i += 3) pixels.bytes.insert(pixels.bytes.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  uint32_t face[kImageValues];
  FitFace(pixels, square, face);
  Bytes out;
  for (uint32_t v : face) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
  return out;
}

class FitTest : public CliTest {
 protected:
  RunResult Fit(const std::vector<std::string>& images) {
    Write("def.prm", FakeDefinition("Pirrow", 43520));
    Write("photo.png", EncodePng(Image{400, 300, 3, PatternPixels(400, 300, 3)}));
    std::vector<std::string> args = {"build", "--fit", "--definition", "def.prm", "--output", "c.exe", "--force"};
    for (const std::string& i : images) args.push_back(i);
    return Run(args);
  }
};

TEST_F(FitTest, APhotoGivesItsCentredSquareOrTheSquareGiven) {
  ASSERT_EQ(Fit({"--image", "photo.png"}).exitCode, 0);
  EXPECT_EQ(Read("c.exe")[kFaces - 17], 1);
  EXPECT_EQ(Faces(Read("c.exe"), 0, 1), PhotoFace({50, 0, 300}));
  ASSERT_EQ(Fit({"--image", "photo.png", "--crop", "0,100,200"}).exitCode, 0);
  EXPECT_EQ(Faces(Read("c.exe"), 0, 1), PhotoFace({0, 100, 200}));
  const RunResult outside = Fit({"--image", "photo.png", "--crop", "101,0,300"});
  ExpectRefused(outside, 1);
  EXPECT_NE(outside.err.find("not inside the picture"), std::string::npos) << outside.err;
}

TEST_F(FitTest, AnAnimatedGifGivesAFaceAFrame) {
  Write("anim.gif", EncodeGif(4, 4, {{0, 0, 4, 4, 1, -1, Bytes(16, 0)}, {2, 2, 2, 2, 1, -1, Bytes(4, 2)}}));
  ASSERT_EQ(Fit({"--image", "anim.gif"}).exitCode, 0);
  const Bytes f = Read("c.exe");
  EXPECT_EQ(f[kFaces - 17], 2);
  EXPECT_EQ(FaceValue(f, 0, 79, 79), 0xFF0000u);
  EXPECT_EQ(FaceValue(f, 1, 0, 0), 0xFF0000u);    // the first frame still shows
  EXPECT_EQ(FaceValue(f, 1, 79, 79), 0x0000FFu);  // the second at its offset
}

TEST_F(FitTest, AStripKeepsItsFacesBesideAPhoto) {
  ASSERT_EQ(BuildClock("strip.exe", 2).exitCode, 0);  // strip.png, as the strip path takes it
  ASSERT_EQ(Fit({"--image", "strip.png", "--image", "photo.png"}).exitCode, 0);
  const Bytes f = Read("c.exe");
  EXPECT_EQ(f[kFaces - 17], 3);
  EXPECT_EQ(Faces(f, 0, 2), Faces(Read("strip.exe"), 0, 2));
  EXPECT_EQ(Faces(f, 2, 1), PhotoFace({50, 0, 300}));
}

TEST_F(FitTest, RefusesMoreThan255FacesSayingHowMany) {
  Write("many.gif", EncodeGif(1, 1, std::vector<GifTestFrame>(256, {0, 0, 1, 1, 1, -1, {3}})));
  const RunResult r = Fit({"--image", "many.gif"});
  ExpectRefused(r, 1);
  EXPECT_NE(r.err.find("too many faces: 256 (at most 255)"), std::string::npos) << r.err;
  EXPECT_FALSE(Exists("c.exe"));
}

}  // namespace
}  // namespace tavimore::test
