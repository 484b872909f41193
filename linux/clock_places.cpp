#include "linux/clock_places.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/fnv_hash.h"
#include "core/place_text.h"
#include "core/read_whole_file.h"
#include "core/write_file_atomically.h"

namespace tavimore {
namespace {

std::string PlaceFile(const std::string& stateFolder, const std::string& canonicalPath) {
  return stateFolder + "/tavimore/place-" + ClockFileKey(canonicalPath);
}

}  // namespace

std::string ClockFileKey(std::string_view path) {
  uint64_t h = kFnvStart;
  for (unsigned char c : path) h = FnvStep(h, c);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

bool ReadPlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint* place) {
  std::vector<uint8_t> bytes;
  std::string error;
  const std::string file = PlaceFile(stateFolder, canonicalPath);
  std::error_code ec;
  // Far more than "x y" is no place: not read at all.
  if (std::filesystem::file_size(file, ec) > kPlaceTextRoom || ec) return false;
  if (!ReadWholeFile(file, &bytes, &error)) return false;
  return ParsePlace(reinterpret_cast<const char*>(bytes.data()), bytes.size(), place);
}

void SavePlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint place) {
  char text[kPlaceTextRoom];
  const int n = FormatPlace(place, text);
  std::vector<uint8_t> bytes(text, text + n);
  bytes.push_back('\n');
  std::error_code ec;
  std::filesystem::create_directories(stateFolder + "/tavimore", ec);
  std::string error;
  WriteFileAtomically(PlaceFile(stateFolder, canonicalPath), bytes, &error);
}

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

std::string DesktopExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    if (c == '%') value += '%';
    value += c;
  }
  return value;
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
