#include "cli_fixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic pop

#include "decode/picture_decode.h"
#include "tools/picture_encode.h"

extern char** environ;

namespace tavimore_test {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

uint32_t Image::Rgb(int x, int y) const {
  const uint8_t* p = &bytes[(size_t(y) * width + x) * channels];
  return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
}

// Red, green and blue differ from each other and from frame to frame, wrapping only after
// 256 frames.
uint32_t FrameBackground(int frame) {
  return uint32_t(0x20 + frame) % 256 << 16 | uint32_t(0x90 + 3 * frame) % 256 << 8 |
         uint32_t(0xE0 - frame) % 256;
}
uint32_t FrameMarker(int frame) { return 0xF00000u | uint32_t(frame % 256) << 8 | 0x40; }

Image MakeStrip(int width, int height) {
  Image p{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int frame = y / 80;
      const bool marker = x < 10 && y % 80 < 10;  // the top-left 10 x 10 pixels
      const uint32_t c = marker ? FrameMarker(frame) : FrameBackground(frame);
      uint8_t* px = &p.bytes[(size_t(y) * width + x) * 3];
      px[0] = uint8_t(c >> 16), px[1] = uint8_t(c >> 8), px[2] = uint8_t(c);
    }
  return p;
}

Bytes EncodePng(const Image& p) { return tavimore::EncodePng(p.bytes.data(), p.width, p.height, p.channels); }

Bytes EncodeBmp(const Image& p) { return tavimore::EncodeBmp(p.bytes.data(), p.width, p.height, p.channels); }

bool DecodePicture(const Bytes& bytes, Image* out) {
  constexpr int64_t kMostPixels = 16 << 20;  // far more than any picture the tools write
  tavimore::DecodedPixels pixels;
  if (!tavimore::DecodePicturePixels(bytes.data(), bytes.size(), kMostPixels, &pixels)) return false;
  out->width = pixels.width;
  out->height = pixels.height;
  out->channels = 4;
  out->bytes = std::move(pixels.bytes);
  return true;
}

Bytes FakeDefinition(const std::string& build, size_t size) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = uint8_t(1 + i * 7 % 251);
  if (!build.empty()) {
    const std::string marker = "TavimoreClockBuild=" + build;
    std::copy(marker.begin(), marker.end(), b.begin() + 1000);
    b[1000 + marker.size()] = 0;
  }
  return b;
}

void CliTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tavimore_cli_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
}

void CliTest::TearDown() { std::filesystem::remove_all(dir_); }

void CliTest::Write(const std::string& name, const Bytes& bytes) const {
  std::ofstream(dir_ / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes CliTest::Read(const std::string& name) const {
  const std::string text = ReadText(dir_ / name);
  return Bytes(text.begin(), text.end());
}

bool CliTest::Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

RunResult CliTest::Run(const std::vector<std::string>& args) const {
  std::vector<std::string> all = {TAVIMORE_EXE};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  const std::string out = (dir_ / ".stdout").string(), err = (dir_ / ".stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
    return {-1, "", "tavimore did not run or did not exit normally"};
  RunResult r{WEXITSTATUS(status), ReadText(out), ReadText(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

RunResult CliTest::BuildClock(const std::string& output, int frames,
                              const std::vector<std::string>& extra) {
  Write("def.prm", FakeDefinition("Pirrow", 43520));
  Write("strip.png", EncodePng(MakeStrip(80, 80 * frames)));
  std::vector<std::string> args = {"build", "--definition", "def.prm", "--image", "strip.png",
                                   "--output", output};
  args.insert(args.end(), extra.begin(), extra.end());
  return Run(args);
}

void ExpectRefused(const RunResult& r, int exitCode) {
  EXPECT_EQ(r.exitCode, exitCode) << r.err;
  EXPECT_EQ(r.err.rfind("tavimore: ", 0), 0u) << "stderr: " << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line expected: " << r.err;
}

}  // namespace tavimore_test
