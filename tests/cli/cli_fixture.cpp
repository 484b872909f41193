#include "cli_fixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/build_marker.h"

extern char** environ;

namespace tavimore::test {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

Bytes FakeDefinition(const std::string& build, size_t size) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = uint8_t(1 + i * 7 % 251);
  if (!build.empty()) {
    const std::string marker = tavimore::kBuildMarkerPrefix + build;
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

}  // namespace tavimore::test
