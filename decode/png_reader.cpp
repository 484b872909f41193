// PNG through libpng, row by row into the picture's own buffer: the compressed stream is
// inflated only as far as the rows of the header's size need, so a stream that holds more
// data is never inflated beyond that. Ancillary chunks are limited too (a colour profile
// or text may not inflate past kChunkBytes).
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "decode/readers.h"

namespace tavimore {
namespace {

// Larger than any colour profile or text a picture carries in practice.
constexpr png_alloc_size_t kChunkBytes = 8u << 20;
// Unknown ancillary chunks that libpng would keep around; pictures need none.
constexpr png_uint_32 kCachedChunks = 16;

struct Source {
  const uint8_t* bytes;
  size_t size;
  size_t at;
};

void Read(png_structp png, png_bytep to, size_t n) {
  auto* s = static_cast<Source*>(png_get_io_ptr(png));
  if (n > s->size - s->at) png_error(png, "cut short");
  std::memcpy(to, s->bytes + s->at, n);
  s->at += n;
}

// libpng's own handlers print; ours only leave, through the jump set in ReadRows.
[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Quiet(png_structp, png_const_charp) {}

struct PngOwner {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngOwner() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Everything after setjmp that a longjmp could skip lives outside this function's frame.
bool ReadRows(png_structp png, png_infop info, int width, int height, DecodedPixels* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  if (png_get_image_width(png, info) != static_cast<png_uint_32>(width) ||
      png_get_image_height(png, info) != static_cast<png_uint_32>(height))
    return false;
  const int type = png_get_color_type(png, info);
  png_set_strip_16(png);  // the high byte of each 16-bit channel
  png_set_packing(png);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // no effect where alpha is there already
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t stride = static_cast<size_t>(width) * 4;
  if (png_get_rowbytes(png, info) != stride) return false;
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < height; ++y) png_read_row(png, out->bytes.data() + stride * y, nullptr);
  return true;  // the rest of the stream, if any, is never read
}

}  // namespace

bool ReadPng(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out) {
  PngOwner owner;
  owner.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Quiet);
  if (!owner.png) return false;
  owner.info = png_create_info_struct(owner.png);
  if (!owner.info) return false;
  png_set_user_limits(owner.png, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height));
  png_set_chunk_malloc_max(owner.png, kChunkBytes);
  png_set_chunk_cache_max(owner.png, kCachedChunks);
  Source source{bytes, size, 0};
  png_set_read_fn(owner.png, &source, Read);
  out->width = width;
  out->height = height;
  out->order = ChannelOrder::kRgba;
  out->bytes.assign(static_cast<size_t>(width) * height * 4, 0);
  return ReadRows(owner.png, owner.info, width, height, out);
}

}  // namespace tavimore
