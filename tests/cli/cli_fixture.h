// Running the real tavimore binary in a folder of its own, and the files the tests feed it
// (the pictures come from tests/support/picture_fixtures.h).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "picture_fixtures.h"

namespace tavimore::test {

using Bytes = std::vector<uint8_t>;

struct RunResult {
  int exitCode;
  std::string out, err;
};

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

}  // namespace tavimore::test
