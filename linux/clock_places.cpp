#include "linux/clock_places.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/place_text.h"
#include "core/read_whole_file.h"
#include "core/write_file_atomically.h"
#include "linux/clock_file_key.h"

namespace tavimore {
namespace {

std::string PlaceFile(const std::string& stateFolder, const std::string& canonicalPath) {
  return stateFolder + "/tavimore/place-" + ClockFileKey(canonicalPath);
}

}  // namespace

bool ReadPlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint* place,
               DeskFit* fit) {
  std::vector<uint8_t> bytes;
  std::string error;
  const std::string file = PlaceFile(stateFolder, canonicalPath);
  std::error_code ec;
  // Far more than "x y fit" is no place: not read at all.
  if (std::filesystem::file_size(file, ec) > kPlaceTextRoom || ec) return false;
  if (!ReadWholeFile(file, &bytes, &error)) return false;
  return ParsePlace(reinterpret_cast<const char*>(bytes.data()), bytes.size(), place, fit);
}

void SavePlace(const std::string& stateFolder, const std::string& canonicalPath, ScreenPoint place,
               const DeskFit& fit) {
  char text[kPlaceTextRoom];
  const int n = FormatPlace(place, fit, text);
  std::vector<uint8_t> bytes(text, text + n);
  bytes.push_back('\n');
  std::error_code ec;
  std::filesystem::create_directories(stateFolder + "/tavimore", ec);
  std::string error;
  WriteFileAtomically(PlaceFile(stateFolder, canonicalPath), bytes, &error);
}

}  // namespace tavimore
