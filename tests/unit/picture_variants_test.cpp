// Pictures of every kind people bring, made at test time by ImageMagick from pictures we
// know, decoded as the command line decodes them and compared with the pixels they were
// made from.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/payload_format.h"
#include "decode/picture_decode.h"
#include "picture_fixtures.h"
#include "test_pictures.h"

namespace tavimore {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kBack = kPictureBoxBackground;

class PictureVariantsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tavimore-variants-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
  }
  Bytes ReadBack(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // ImageMagick's `convert` with the arguments, in the test's folder; the output's bytes.
  Bytes Convert(const std::string& args, const std::string& output) const {
    const std::string command = "cd '" + dir_.string() + "' && convert " + args + " " + output;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const size_t colon = output.find(':');
    return ReadBack(colon == std::string::npos ? output : output.substr(colon + 1));
  }

  fs::path dir_;
};

// The strip `rgba` as face images over the picture box's background, the decoded result.
PictureStrip Expected(const test::Rgba& rgba) {
  DecodedPixels pixels{rgba.width, rgba.height, ChannelOrder::kRgba, rgba.pixels};
  PictureStrip strip;
  EXPECT_EQ(CutStrip(pixels, &strip), StripError::kNone);
  return strip;
}

// Compares every pixel within `tolerance` per channel, except within `margin` pixels of a
// frame's top-left corner and of the bottom-left one (next to the following frame's),
// where a lossy coder smears the one-pixel markers.
void ExpectStrip(const Bytes& file, const PictureStrip& want, const std::string& what,
                 int tolerance = 0, int margin = 0) {
  PictureStrip got;
  ASSERT_EQ(DecodePictureStrip(file.data(), file.size(), &got), StripError::kNone) << what;
  ASSERT_EQ(got.images.size(), want.images.size()) << what;
  int wrong = 0;
  for (size_t i = 0; i < got.images.size() && wrong < 5; ++i) {
    const int k = static_cast<int>(i % kImageValues);
    const int x = k % kFaceSize, y = kFaceSize - 1 - k / kFaceSize;
    if (k < kFacePixels && x < margin && (y < margin || y >= kFaceSize - margin)) continue;
    for (int shift : {0, 8, 16}) {
      const int a = got.images[i] >> shift & 255, b = want.images[i] >> shift & 255;
      if (std::abs(a - b) > tolerance) {
        ADD_FAILURE() << what << ": value " << i << " is " << std::hex << got.images[i]
                      << ", not " << want.images[i];
        ++wrong;
        break;
      }
    }
  }
}

// A grey strip of two frames: four bands of 0, 85, 170 and 255 (exact in 2 bits), or of
// 0 and 255 only, with a differing top-left corner in each frame.
test::Rgba GreyStrip(bool twoLevels) {
  test::Rgba r{80, 160, {}};
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) {
      int level = (x / 20 + y / 80) % 4;
      if (x < 3 && y % 80 < 3) level = 3 - level;
      const uint8_t v = static_cast<uint8_t>(twoLevels ? (level % 2) * 255 : level * 85);
      for (uint8_t c : {v, v, v, uint8_t{255}}) r.pixels.push_back(c);
    }
  return r;
}

// The marked strip with transparency: the left half of frame 1 fully transparent, a band
// of frame 2 half transparent (alpha 128). Transparent pixels have a colour of their own,
// so that a transparent colour (a PNG's tRNS, a GIF's index) can stand for them.
test::Rgba AlphaStrip(bool binary) {
  test::Rgba r = test::MarkedStrip(2);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) {
      uint8_t* p = &r.pixels[(static_cast<size_t>(y) * r.width + x) * 4];
      if (y < 80 && x < 40) p[0] = 1, p[1] = 2, p[2] = 3, p[3] = 0;
      if (!binary && y >= 100 && y < 120) p[3] = 128;
    }
  return r;
}

// Test that every PNG colour type and bit depth, interlaced or not, decodes to the pixels
// it was made from; 16-bit channels keep their high byte.
TEST_F(PictureVariantsTest, Png) {
  const test::Rgba colour = test::MarkedStrip(2);
  Write("colour.png", test::EncodePng(colour));
  const PictureStrip want = Expected(colour);
  const std::pair<const char*, const char*> variants[] = {
      {"", "png8:"}, {"", "png24:"}, {"", "png32:"}, {"", "png48:"}, {"", "png64:"},
      {"-interlace PNG", "png8:"}, {"-interlace PNG", "png48:"},
      {"-define png:bit-depth=4 -define png:color-type=3", "png:"}};
  for (const auto& [options, format] : variants)
    ExpectStrip(Convert(std::string("colour.png ") + options, std::string(format) + "v.png"), want,
                std::string(options) + " " + format);
  for (bool two : {true, false}) {
    const test::Rgba grey = GreyStrip(two);
    Write("grey.png", test::EncodePng(grey));
    const PictureStrip greyWant = Expected(grey);
    for (int depth : two ? std::vector<int>{1, 2, 4, 8, 16} : std::vector<int>{2, 4, 8, 16})
      for (const char* interlace : {"", "-interlace PNG "}) {
        const std::string args = std::string("grey.png ") + interlace + "-define png:color-type=0 " +
                                 "-define png:bit-depth=" + std::to_string(depth);
        ExpectStrip(Convert(args, "png:v.png"), greyWant, args);
      }
  }
}

// Test PNG alpha, grey with alpha and a transparent colour (tRNS) over the background.
TEST_F(PictureVariantsTest, PngTransparency) {
  const test::Rgba soft = AlphaStrip(false);
  Write("soft.png", test::EncodePng(soft));
  const PictureStrip want = Expected(soft);
  ExpectStrip(Convert("soft.png", "png32:v.png"), want, "RGBA 8");
  ExpectStrip(Convert("soft.png", "png64:v.png"), want, "RGBA 16");
  ExpectStrip(Convert("soft.png -interlace PNG", "png32:v.png"), want, "RGBA interlaced");
  // Half transparency over the background, worked out by hand: (10 + 1, 100 + 1, 200 - 1)
  // at alpha 128 over 240: (125, 170, 219); fully transparent: the background itself.
  EXPECT_EQ(want.images[kImageValues + 49 * 80 + 50], 0x7DAADBu);
  EXPECT_EQ(want.images[79 * 80 + 10], kBack);

  const test::Rgba hard = AlphaStrip(true);
  Write("hard.png", test::EncodePng(hard));
  const PictureStrip hardWant = Expected(hard);
  ExpectStrip(Convert("hard.png", "png8:v.png"), hardWant, "palette with tRNS");
  ExpectStrip(Convert("hard.png -define png:color-type=2 -define png:bit-depth=8", "png:v.png"),
              hardWant, "RGB with tRNS");
  test::Rgba grey = GreyStrip(false);
  for (size_t i = 3; i < grey.pixels.size(); i += 4 * 7) grey.pixels[i] = 0;
  Write("greyalpha.png", test::EncodePng(grey));
  ExpectStrip(Convert("greyalpha.png -define png:color-type=4", "png:v.png"), Expected(grey),
              "grey with alpha");
}

// A JPEG segment: marker, two-byte length counting itself, body.
Bytes Segment(uint8_t marker, const Bytes& body) {
  Bytes s(4 + body.size());
  s[0] = 0xFF, s[1] = marker;
  s[2] = static_cast<uint8_t>((body.size() + 2) >> 8), s[3] = static_cast<uint8_t>(body.size() + 2);
  std::copy(body.begin(), body.end(), s.begin() + 4);
  return s;
}

// `jpeg` with the metadata cameras and editors add put right after its start: Exif with
// a thumbnail (a whole JPEG, markers and all), a colour profile whose bytes hold FF C4
// (a Huffman table marker) and a comment.
Bytes WithMetadata(const Bytes& jpeg, const Bytes& thumbnail) {
  Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
  exif.insert(exif.end(), thumbnail.begin(), thumbnail.end());
  Bytes profile = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1};
  for (int i = 0; i < 64; ++i)
    for (uint8_t b : {0xFF, 0xC4, 0x12, 0x34}) profile.push_back(b);
  const std::string text = "made by a camera";
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const Bytes& s : {Segment(0xE1, exif), Segment(0xE2, profile),
                         Segment(0xFE, Bytes(text.begin(), text.end()))})
    out.insert(out.end(), s.begin(), s.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

// Test JPEG baseline and progressive, 4:4:4 and 4:2:0, grey, and with metadata holding the
// bytes FF C4 (once refused as a damaged Huffman table). JPEG is lossy: flat colours come
// back within a small tolerance.
TEST_F(PictureVariantsTest, Jpeg) {
  const test::Rgba colour = test::MarkedStrip(2);
  Write("colour.png", test::EncodePng(colour));
  const PictureStrip want = Expected(colour);
  const std::pair<const char*, int> variants[] = {
      {"-quality 95 -sampling-factor 1x1", 3}, {"-quality 95 -sampling-factor 2x2", 3},
      {"-quality 95 -interlace JPEG", 3}, {"-quality 60 -interlace JPEG -sampling-factor 2x2", 6}};
  for (const auto& [options, tolerance] : variants)
    ExpectStrip(Convert(std::string("colour.png ") + options, "jpg:v.jpg"), want, options,
                tolerance, 16);
  const Bytes thumbnail = Convert("colour.png -resize 16x32", "jpg:t.jpg");
  for (const char* options : {"", "-interlace JPEG"})
    ExpectStrip(WithMetadata(Convert(std::string("colour.png -quality 95 ") + options, "jpg:v.jpg"),
                             thumbnail),
                want, std::string("with metadata ") + options, 3, 16);
  const test::Rgba grey = GreyStrip(false);
  Write("grey.png", test::EncodePng(grey));
  ExpectStrip(Convert("grey.png -quality 95 -colorspace Gray", "jpg:v.jpg"), Expected(grey),
              "grey", 3, 16);
}

// `jpeg` (progressive) with its first scan repeated to make `scans` scans in all: libjpeg
// takes a repeated scan as a bogus progression, warns and goes on (a repeated refinement
// scan, unlike a first one, would also be damaged data).
Bytes WithScans(const Bytes& jpeg, int scans) {
  size_t p = 2, firstScan = 0, firstEnd = 0;
  int count = 0;
  while (p + 4 <= jpeg.size() && jpeg[p] == 0xFF && jpeg[p + 1] != 0xD9) {
    const size_t length = jpeg[p + 2] << 8 | jpeg[p + 3];
    if (jpeg[p + 1] != 0xDA) {
      p += 2 + length;
      continue;
    }
    if (count++ == 0) firstScan = p;
    p += 2 + length;
    while (p + 1 < jpeg.size() && !(jpeg[p] == 0xFF && jpeg[p + 1] != 0 &&
                                     (jpeg[p + 1] < 0xD0 || jpeg[p + 1] > 0xD7)))
      ++p;  // entropy-coded data, with its stuffed and restart bytes
    if (count == 1) firstEnd = p;
  }
  Bytes out(jpeg.begin(), jpeg.begin() + static_cast<long>(firstEnd));
  for (int k = count; k < scans; ++k)
    out.insert(out.end(), jpeg.begin() + static_cast<long>(firstScan), jpeg.begin() + static_cast<long>(firstEnd));
  out.insert(out.end(), jpeg.begin() + static_cast<long>(firstEnd), jpeg.end());
  return out;
}

// Test that a progressive JPEG may have 256 scans but not more: every scan is a pass over
// the picture, and a small file of thousands of scans would keep the decoder busy.
TEST_F(PictureVariantsTest, JpegScanLimit) {
  Write("colour.png", test::EncodePng(test::MarkedStrip(1)));
  const Bytes progressive = Convert("colour.png -quality 90 -interlace JPEG", "jpg:v.jpg");
  PictureStrip strip;
  const Bytes most = WithScans(progressive, 256), tooMany = WithScans(progressive, 257);
  EXPECT_EQ(DecodePictureStrip(most.data(), most.size(), &strip), StripError::kNone);
  EXPECT_EQ(DecodePictureStrip(tooMany.data(), tooMany.size(), &strip), StripError::kNotAPicture);
}

// Test that a JPEG cut anywhere or without scan data is refused before decoding, one whose
// scan the end marker cuts short when decoding (each was a grey or half-grey face).
TEST_F(PictureVariantsTest, JpegWithoutItsWholeImageData) {
  Write("colour.png", test::EncodePng(test::MarkedStrip(1)));
  Bytes whole = Convert("colour.png -strip", "jpg:v.jpg"), damaged = whole;
  const size_t scan = test::JpegScanData(whole);
  PictureHeader header;
  PictureStrip strip;
  for (size_t n = 3; n < whole.size(); ++n)
    ASSERT_EQ(CheckStripHeader(whole.data(), n, &header, &strip), StripError::kNotAPicture) << n;
  Bytes scanless(whole.begin(), whole.begin() + static_cast<long>(scan));
  scanless.insert(scanless.end(), {0xFF, 0xD9});
  EXPECT_EQ(CheckStripHeader(scanless.data(), scanless.size(), &header, &strip), StripError::kNotAPicture);
  const size_t half = (scan + whole.size()) / 2;
  damaged.resize(whole[half - 1] == 0xFF ? half - 1 : half);  // not inside a marker
  damaged.insert(damaged.end(), {0xFF, 0xD9});
  EXPECT_EQ(DecodePictureStrip(damaged.data(), damaged.size(), &strip), StripError::kNotAPicture);
  whole.insert(whole.end(), {0x00, 0xFF});
  EXPECT_EQ(DecodePictureStrip(whole.data(), whole.size(), &strip), StripError::kNone);
}

// Test GIF: plain and interlaced; a transparent colour shows the background (it once came
// out black); only the first frame of an animation counts.
TEST_F(PictureVariantsTest, Gif) {
  const test::Rgba colour = test::MarkedStrip(2);
  Write("colour.png", test::EncodePng(colour));
  const PictureStrip want = Expected(colour);
  ExpectStrip(Convert("colour.png", "gif:v.gif"), want, "GIF");
  ExpectStrip(Convert("colour.png -interlace GIF", "gif:v.gif"), want, "interlaced GIF");
  const test::Rgba hard = AlphaStrip(true);
  Write("hard.png", test::EncodePng(hard));
  const PictureStrip hardWant = Expected(hard);
  ASSERT_EQ(hardWant.images[79 * 80 + 10], kBack);
  ExpectStrip(Convert("hard.png", "gif:v.gif"), hardWant, "transparent GIF");
  ExpectStrip(Convert("hard.png -interlace GIF", "gif:v.gif"), hardWant, "transparent interlaced GIF");
  Write("grey.png", test::EncodePng(GreyStrip(false)));
  ExpectStrip(Convert("-delay 100 colour.png grey.png", "gif:v.gif"), want, "animated GIF");

  // A first frame smaller than the screen, at an offset: the screen around it is clear.
  const Bytes offset = Convert("-size 40x30 xc:red -repage 80x80+20+10", "gif:v.gif");
  PictureStrip got;
  ASSERT_EQ(DecodePictureStrip(offset.data(), offset.size(), &got), StripError::kNone);
  const auto at = [&](int x, int y) { return got.images[(79 - y) * 80 + x]; };
  EXPECT_EQ(at(20, 10), 0xFF0000u);
  EXPECT_EQ(at(59, 39), 0xFF0000u);
  for (const auto& [x, y] : {std::pair{19, 10}, {20, 9}, {60, 39}, {59, 40}, {0, 0}, {79, 79}})
    EXPECT_EQ(at(x, y), kBack) << "(" << x << ", " << y << ") outside the frame";
}

// Test BMP as programs write it: the 12-byte header, 1, 4, 8 and 24 bits, RLE8, 16 bits
// in 5-6-5 and 32 bits with alpha in a V5 header.
TEST_F(PictureVariantsTest, Bmp) {
  const test::Rgba colour = test::MarkedStrip(2);
  Write("colour.png", test::EncodePng(colour));
  const PictureStrip want = Expected(colour);
  const char* const exact[] = {"bmp2:", "bmp3:", "-type Palette bmp3:",
                               "-type Palette -compress RLE bmp3:", "-type TrueColor bmp3:",
                               "-type TrueColor bmp:"};
  for (const char* variant : exact) {
    const std::string v = variant, format = v.substr(v.rfind(' ') + 1);
    ExpectStrip(Convert("colour.png " + v.substr(0, v.size() - format.size()), format + "v.bmp"),
                want, variant);
  }
  Write("two.png", test::EncodePng(GreyStrip(true)));
  ExpectStrip(Convert("two.png -type Bilevel", "bmp3:v.bmp"), Expected(GreyStrip(true)), "1 bit");
  // 5-6-5 keeps 5 or 6 bits a channel: within 8 of the original.
  ExpectStrip(Convert("colour.png -type TrueColor -define bmp:subtype=RGB565", "bmp:v.bmp"), want,
              "5-6-5", 8);
  const test::Rgba soft = AlphaStrip(false);
  Write("soft.png", test::EncodePng(soft));
  ExpectStrip(Convert("soft.png -define bmp:subtype=ARGB8888", "bmp:v.bmp"), Expected(soft),
              "32 bits with alpha");
}

// Test that a top-down BMP (a negative height, once refused as "80 x -160") decodes to
// the same faces as its bottom-up original.
TEST_F(PictureVariantsTest, TopDownBmp) {
  const test::Rgba colour = test::MarkedStrip(2);
  Write("colour.png", test::EncodePng(colour));
  const Bytes bottomUp = Convert("colour.png", "bmp3:v.bmp");
  const size_t at = bottomUp[10] | bottomUp[11] << 8, stride = 80 * 3;
  ASSERT_EQ(bottomUp.size(), at + stride * 160);
  Bytes topDown(bottomUp.begin(), bottomUp.begin() + static_cast<long>(at));
  const int32_t height = -160;
  for (int k = 0; k < 4; ++k) topDown[22 + k] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * k));
  for (int r = 159; r >= 0; --r)
    topDown.insert(topDown.end(), bottomUp.begin() + static_cast<long>(at + stride * r),
                   bottomUp.begin() + static_cast<long>(at + stride * (r + 1)));
  ExpectStrip(topDown, Expected(colour), "top down");
}

}  // namespace
}  // namespace tavimore
