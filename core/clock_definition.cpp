#include "core/clock_definition.h"

#include <system_error>

#include "core/read_whole_file.h"

namespace tavimore {

bool ReadDefinition(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                    std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = "the clock definition " + path.u8string() + " does not exist";
    return false;
  }
  if (!ReadWholeFile(path, bytes, error)) return false;
  if (bytes->empty()) {
    *error = "the clock definition " + path.u8string() + " is empty";
    return false;
  }
  return true;
}

}  // namespace tavimore
