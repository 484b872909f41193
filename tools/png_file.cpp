#include "tools/png_file.h"

#include <filesystem>
#include <vector>

#include "editor/file_replace.h"
#include "tools/commands.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO  // files are written by ReplaceFile
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace tavimore {
namespace {

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

int WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int channels) {
  std::vector<uint8_t> png;
  if (!stbi_write_png_to_func(Append, &png, width, height, channels, pixels, width * channels))
    return Complain(kExitRefused, path + ": the picture could not be encoded as PNG");
  std::string error;
  if (!ReplaceFile(std::filesystem::u8path(path), png, &error)) return Complain(kExitRefused, error);
  return kExitDone;
}

}  // namespace tavimore
