#include "tools/picture_encode.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO  // pictures go to memory; files are written by the caller
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

std::vector<uint8_t> EncodePng(const uint8_t* pixels, int width, int height, int channels) {
  std::vector<uint8_t> out;
  if (!stbi_write_png_to_func(Append, &out, width, height, channels, pixels, width * channels))
    out.clear();
  return out;
}

std::vector<uint8_t> EncodeBmp(const uint8_t* pixels, int width, int height, int channels) {
  std::vector<uint8_t> out;
  if (!stbi_write_bmp_to_func(Append, &out, width, height, channels, pixels)) out.clear();
  return out;
}

}  // namespace tavimore
