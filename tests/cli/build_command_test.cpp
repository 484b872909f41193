// tavimore build: the bytes of the clock file it writes, and everything it refuses.
#include <algorithm>
#include <cstdlib>

#include "cli_fixture.h"
#include "core/picture_strip.h"

namespace tavimore::test {
namespace {

constexpr size_t kOffset = 55000;            // where a clock's payload begins
constexpr size_t kBlock = 25604;             // one face image: 6401 four-byte values
constexpr size_t kTopLeftValue = 79 * 80;    // bottom row first, so the top row is last

uint32_t ValueAt(const Bytes& file, size_t offset) {
  return file[offset] | file[offset + 1] << 8 | file[offset + 2] << 16 | uint32_t(file[offset + 3]) << 24;
}

using BuildTest = CliTest;

// The worked example: author "abc", empty address and mail, one 80 x 80 picture.
TEST_F(BuildTest, WritesTheEditorsBytes) {
  ASSERT_EQ(BuildClock("clock.exe", 1, {"--name", "abc"}).exitCode, 0);
  const Bytes f = Read("clock.exe");
  ASSERT_EQ(f.size(), 80627u);
  const Bytes def = FakeDefinition("Pirrow", 43520);
  EXPECT_TRUE(std::equal(def.begin(), def.end(), f.begin()));
  EXPECT_TRUE(std::all_of(f.begin() + 43520, f.begin() + kOffset, [](uint8_t b) { return b == 0; }));
  // Texts, then the hand block with the editor's defaults #000040,75 #000080,80 #0000C0,90,
  // each colour stored blue, green, red.
  const Bytes payload(f.begin() + kOffset, f.begin() + kOffset + 23);
  EXPECT_EQ(payload, (Bytes{'a', 'b', 'c', 0, 0, 0, 1, 3, 0x40, 0, 0, 75, 2, 0x80, 0, 0, 80,
                            1, 0xC0, 0, 0, 90, 0}));
  const size_t block = kOffset + 23;
  EXPECT_EQ(ValueAt(f, block + 4 * kTopLeftValue), FrameMarker(0));
  EXPECT_EQ(ValueAt(f, block), FrameBackground(0));  // bottom-left
  EXPECT_EQ(ValueAt(f, block + 4 * 6400), 0u);       // the spare value
}

TEST_F(BuildTest, CutsALongDefinitionAndTakesHandsRedFirst) {
  Write("long.prm", FakeDefinition("Varnet", 60000));
  Write("strip.bmp", EncodeBmp(MakeStrip(80, 400)));
  const RunResult r = Run({"build", "--definition", "long.prm", "--image", "strip.bmp", "--output",
                           "c.exe", "--name", "時計", "--hour", "#FF8040,100", "--second", "#0a0B0c,1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Bytes f = Read("c.exe");
  const Bytes def = FakeDefinition("Varnet", 60000);
  EXPECT_TRUE(std::equal(f.begin(), f.begin() + kOffset, def.begin()));
  // 時計 in code page 932, then the hand block.
  const Bytes head(f.begin() + kOffset, f.begin() + kOffset + 24);
  EXPECT_EQ(head, (Bytes{0x8E, 0x9E, 0x8C, 0x76, 0, 0, 0, 5, 3, 0x40, 0x80, 0xFF, 100, 2, 0x80,
                         0, 0, 80, 1, 0x0C, 0x0B, 0x0A, 1, 0}));
  ASSERT_EQ(f.size(), kOffset + 7 + 17 + 5 * kBlock);
  for (int k = 0; k < 5; ++k) {  // frames from the top of the strip down
    const size_t block = kOffset + 24 + k * kBlock;
    EXPECT_EQ(ValueAt(f, block + 4 * kTopLeftValue), FrameMarker(k)) << "frame " << k;
    EXPECT_EQ(ValueAt(f, block + 4 * (kTopLeftValue + 79)), FrameBackground(k)) << "frame " << k;
  }
}

TEST_F(BuildTest, TakesUpTo255Frames) {
  ASSERT_EQ(BuildClock("c.exe", 81).exitCode, 0);
  const Bytes f = Read("c.exe");
  EXPECT_EQ(f.size(), kOffset + 3 + 17 + 81 * kBlock);
  EXPECT_EQ(f[kOffset + 3], 81);
}

// Each case is refused with exit 1 and a message, and writes nothing.
TEST_F(BuildTest, RefusesBadInputWritingNothing) {
  Write("def.prm", FakeDefinition("Pirrow", 43520));
  Write("empty.prm", {});
  Write("strip.png", EncodePng(MakeStrip(80, 80)));
  Write("wide.png", EncodePng(MakeStrip(160, 80)));
  Write("short.png", EncodePng(MakeStrip(80, 100)));
  Write("many.bmp", EncodeBmp(MakeStrip(80, 80 * 256)));
  Write("text.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '\n'});
  const struct {
    const char* what;
    std::vector<std::string> args;
  } cases[] = {
      {"missing definition", {"--definition", "none.prm", "--image", "strip.png"}},
      {"empty definition", {"--definition", "empty.prm", "--image", "strip.png"}},
      {"160 x 80 picture", {"--definition", "def.prm", "--image", "wide.png"}},
      {"80 x 100 picture", {"--definition", "def.prm", "--image", "short.png"}},
      {"256 frames", {"--definition", "def.prm", "--image", "many.bmp"}},
      {"text as picture", {"--definition", "def.prm", "--image", "text.png"}},
      {"missing picture", {"--definition", "def.prm", "--image", "none.png"}},
      {"length 0", {"--definition", "def.prm", "--image", "strip.png", "--hour", "#000000,0"}},
      {"length 101", {"--definition", "def.prm", "--image", "strip.png", "--minute", "#000000,101"}},
      {"short colour", {"--definition", "def.prm", "--image", "strip.png", "--second", "#00000,50"}},
      {"colour name", {"--definition", "def.prm", "--image", "strip.png", "--second", "red,50"}},
      {"no image option", {"--definition", "def.prm"}},
      {"unknown option", {"--definition", "def.prm", "--image", "strip.png", "--colour", "x"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args = {"build", "--output", "out.exe"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    ExpectRefused(Run(args), 1);
    EXPECT_FALSE(Exists("out.exe"));
  }
  ExpectRefused(Run({"build", "--definition", "def.prm", "--image", "strip.png", "--output",
                     "no/such/folder/out.exe"}), 1);
}

// A JPEG cut short, or without scan data, is refused as a picture that cannot be decoded.
TEST_F(BuildTest, RefusesAJpegWithoutItsImageData) {
  ASSERT_EQ(BuildClock("whole.exe", 1).exitCode, 0);  // def.prm and strip.png
  ASSERT_EQ(std::system(("cd '" + dir_.string() + "' && convert strip.png -strip v.jpg").c_str()), 0);
  const Bytes jpeg = Read("v.jpg");
  Bytes scanless(jpeg.begin(), jpeg.begin() + static_cast<long>(JpegScanData(jpeg)));
  scanless.insert(scanless.end(), {0xFF, 0xD9});
  Write("scanless.jpg", scanless);
  Write("cut.jpg", Bytes(jpeg.begin(), jpeg.end() - 2));
  for (const char* name : {"cut.jpg", "scanless.jpg"}) {
    const RunResult r = Run({"build", "--definition", "def.prm", "--image", name, "--output", "o.exe"});
    EXPECT_EQ(r.exitCode, 1) << name;
    EXPECT_NE(r.err.find(StripErrorText(StripError::kNotAPicture)), std::string::npos) << r.err;
  }
}

TEST_F(BuildTest, ReplacesAnExistingOutputOnlyWithForce) {
  const Bytes old = {'o', 'l', 'd'};
  Write("c.exe", old);
  ExpectRefused(BuildClock("c.exe", 1), 1);
  EXPECT_EQ(Read("c.exe"), old);
  ASSERT_EQ(BuildClock("c.exe", 2, {"--force"}).exitCode, 0);
  ASSERT_EQ(BuildClock("c.exe", 1, {"--force"}).exitCode, 0);  // replaced whole, though shorter
  EXPECT_EQ(Read("c.exe").size(), kOffset + 3 + 17 + kBlock);
}

TEST_F(BuildTest, EveryCommandHasHelp) {
  for (const char* command : {"build", "inspect", "extract", "render"}) {
    const RunResult r = Run({command, "--help"});
    EXPECT_EQ(r.exitCode, 0) << command;
    EXPECT_NE(r.out.find("Usage: tavimore " + std::string(command)), std::string::npos) << r.out;
  }
  ExpectRefused(Run({}), 1);
  ExpectRefused(Run({"frobnicate"}), 1);
}

}  // namespace
}  // namespace tavimore::test
