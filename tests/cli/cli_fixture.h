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

// An RGB picture, top row first.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  uint32_t At(int x, int y) const;  // 0xRRGGBB
};

// A decoded PNG, top row first.
struct Rgba {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  uint32_t Rgb(int x, int y) const;  // 0xRRGGBB
  uint8_t Alpha(int x, int y) const;
};

constexpr int kMarkerSize = 10;
uint32_t FrameBackground(int frame);  // 0xRRGGBB of frame `frame`, from 0
uint32_t FrameMarker(int frame);

// `width` x `height` pixels cut into 80-pixel-high frames drawn as described above.
Picture MakeStrip(int width, int height);
Bytes EncodePng(const Picture& picture);
Bytes EncodeBmp(const Picture& picture);
bool DecodePng(const Bytes& png, Rgba* out);

// A stand-in for a clock program: `size` non-zero bytes carrying the build marker of
// `build` (none when empty), so that zero-filling and cutting show.
Bytes FakeDefinition(const std::string& build, size_t size);

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& name) const;
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
