#include "tools/png_file.h"

#include <filesystem>
#include <vector>

#include "core/write_file_atomically.h"
#include "tools/commands.h"
#include "tools/picture_encode.h"

namespace tavimore {

int WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int channels) {
  const std::vector<uint8_t> png = EncodePng(pixels, width, height, channels);
  if (png.empty())
    return Complain(kExitRefused, path + ": the picture could not be encoded as PNG");
  std::string error;
  if (!WriteFileAtomically(std::filesystem::u8path(path), png, &error)) return Complain(kExitRefused, error);
  return kExitDone;
}

}  // namespace tavimore
