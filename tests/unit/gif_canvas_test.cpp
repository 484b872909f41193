// Test that GIF frames are composed as a browser shows them: each disposal method, the
// transparent colour, and frames placed at an offset and cut at the screen's edge.
#include "core/gif_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimore {
namespace {

// A frame of one row, a letter a pixel: '.' transparent, any other letter an opaque grey.
GifFrameImage Row(int left, const std::string& pixels, GifDisposal disposal) {
  GifFrameImage f{left, 0, disposal, {static_cast<int>(pixels.size()), 1, ChannelOrder::kRgba, {}}};
  for (char c : pixels) f.pixels.bytes.insert(f.pixels.bytes.end(), {uint8_t(c), 0, 0, uint8_t(c == '.' ? 0 : 255)});
  return f;
}

std::string Screen(const GifCanvas& c) {
  std::string s;
  for (size_t i = 0; i < c.screen.bytes.size(); i += 4) s += c.screen.bytes[i + 3] ? char(c.screen.bytes[i]) : '.';
  return s;
}

TEST(GifCanvas, ComposesFramesByTheirDisposal) {
  GifCanvas c;
  StartGifCanvas(4, 1, ChannelOrder::kRgba, &c);
  const struct {
    GifFrameImage frame;
    const char* screen;
  } steps[] = {
      {Row(0, "AAAA", GifDisposal::kKeep), "AAAA"},
      {Row(1, "B.", GifDisposal::kBackground), "ABAA"},     // its transparent pixel shows A
      {Row(2, "CC", GifDisposal::kPrevious), "A.CC"},       // B's rectangle cleared first
      {Row(3, "DD", GifDisposal::kKeep), "A..D"},           // C undone; D cut at the edge
  };
  for (const auto& step : steps) {
    ASSERT_TRUE(DrawGifFrame(step.frame, &c));
    EXPECT_EQ(Screen(c), step.screen);
  }
}

}  // namespace
}  // namespace tavimore
