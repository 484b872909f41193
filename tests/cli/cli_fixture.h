// Running the real tavimore binary in a folder of its own, and the files the tests feed it.
//
// The fixture pictures are built to expose faults: every frame of a strip has its own
// background colour with three distinct channels, and a marker of yet another colour in
// its top-left corner, so a flipped row order, swapped channels or frames taken in the
// wrong order all change what the tests see.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavimore_test {

using Bytes = std::vector<uint8_t>;

struct RunResult {
  int exitCode;
  std::string out, err;
};

// A picture, top row first, `channels` bytes a pixel: red, green, blue and maybe alpha.
struct Image {
  int width = 0, height = 0, channels = 3;
  std::vector<uint8_t> bytes;
  uint32_t Rgb(int x, int y) const;  // 0xRRGGBB
  uint8_t Alpha(int x, int y) const { return bytes[(size_t(y) * width + x) * channels + 3]; }
};

uint32_t FrameBackground(int frame);  // 0xRRGGBB of frame `frame`, from 0
uint32_t FrameMarker(int frame);

// `width` x `height` pixels cut into 80-pixel-high frames drawn as described above.
Image MakeStrip(int width, int height);
Bytes EncodePng(const Image& image);
Bytes EncodeBmp(const Image& image);
// Any picture the command line reads (PNG, GIF, ...), as RGBA.
bool DecodePicture(const Bytes& bytes, Image* out);

// A stand-in for a clock program: `size` non-zero bytes carrying the build marker of
// `build` (none when empty), so that zero-filling and cutting show.
Bytes FakeDefinition(const std::string& build, size_t size);

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Write(const std::string& name, const Bytes& bytes) const;
  Bytes Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Runs tavimore with `args` in the test's folder.
  RunResult Run(const std::vector<std::string>& args) const;

  // Writes def.prm (a Pirrow program) and a strip of `frames` frames as strip.png, and
  // builds `output` from them with `extra` arguments; the result of the build.
  RunResult BuildClock(const std::string& output, int frames,
                       const std::vector<std::string>& extra = {});

  std::filesystem::path dir_;
};

// The exit code 1 or 2 with a message that says whose it is.
void ExpectRefused(const RunResult& r, int exitCode);

}  // namespace tavimore_test
