// tavimore run: shows a clock file on this desktop with tavimore-clock, the native clock,
// found beside tavimore itself (an installed or a built pair) or else on PATH. The clock
// takes this process's place, so its exit code is the command's: 0 ended, 1 no display or
// no clock, 2 a damaged clock file.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "tools/commands.h"

namespace tavimore {
namespace {

constexpr char kClockProgram[] = "tavimore-clock";

int RunClock(const std::string& file) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string beside = (self.parent_path() / kClockProgram).string();
  std::string target = file;
  // A file name that starts with "-" would read as an option of the clock.
  if (!target.empty() && target[0] == '-') target = "./" + target;
  char* argv[] = {const_cast<char*>(kClockProgram), target.data(), nullptr};
  if (!ec && access(beside.c_str(), X_OK) == 0) execv(beside.c_str(), argv);
  execvp(kClockProgram, argv);
  return Complain(kExitRefused, std::string("cannot start ") + kClockProgram + " (" +
                                    std::strerror(errno) +
                                    "): it is built where GTK 3 is installed, beside tavimore");
}

}  // namespace

void AddRunCommand(CLI::App& app, CommandAction* chosen) {
  auto file = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("run", "Show a clock file on this desktop (tavimore-clock).");
  cmd->add_option("FILE", *file, "A clock file or clock program")->required();
  cmd->callback([file, chosen] { *chosen = [file] { return RunClock(*file); }; });
}

}  // namespace tavimore
