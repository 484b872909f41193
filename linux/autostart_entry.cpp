#include "linux/autostart_entry.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/write_file_atomically.h"
#include "linux/clock_file_key.h"
#include "linux/exec_quoting.h"

namespace tavimore {

std::string AutostartFile(const std::string& configFolder, const std::string& canonicalPath) {
  return configFolder + "/autostart/tavimore-" + ClockFileKey(canonicalPath) + ".desktop";
}

bool StartsAtLogin(const std::string& configFolder, const std::string& canonicalPath) {
  std::error_code ec;
  return std::filesystem::exists(AutostartFile(configFolder, canonicalPath), ec);
}

void SetStartAtLogin(const std::string& configFolder, const std::string& canonicalPath, bool start) {
  const std::string file = AutostartFile(configFolder, canonicalPath);
  std::error_code ec;
  if (!start) {
    std::filesystem::remove(file, ec);
    return;
  }
  std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
  // The program running now, the one that is to start at login.
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string entry = AutostartEntry(ec ? "tavimore-clock" : self.string(), canonicalPath);
  std::string error;
  WriteFileAtomically(file, std::vector<uint8_t>(entry.begin(), entry.end()), &error);
}

std::string AutostartEntry(const std::string& program, const std::string& canonicalPath) {
  // A name line holds no line breaks or escapes; a file name with one is named by its key.
  std::string name = std::filesystem::path(canonicalPath).filename().string();
  if (name.find_first_of("\r\n\\") != std::string::npos) name = ClockFileKey(canonicalPath);
  return "[Desktop Entry]\nType=Application\nName=Tavimore Clock (" + name + ")\nExec=" +
         DesktopExecArgument(program) + " " + DesktopExecArgument(canonicalPath) +
         "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

}  // namespace tavimore
