// PNG through libpng's progressive reader, fed a few kilobytes at a time: once the rows
// of the header's size are all there, feeding stops. A compressed stream that holds more
// data than those rows is therefore never inflated beyond them (the sequential reader
// would inflate the rest to check its end). Ancillary chunks are limited too: a colour
// profile or a text may not inflate past kChunkBytes.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

#include "decode/readers.h"

namespace tavimore {
namespace {

// Larger than any colour profile or text a picture carries in practice.
constexpr png_alloc_size_t kChunkBytes = 8u << 20;
// Unknown ancillary chunks that libpng would keep around; pictures need none.
constexpr png_uint_32 kCachedChunks = 16;
// How much compressed data goes in at a time: after the last row, at most this much more
// is inflated (into libpng's scratch space, never our memory).
constexpr size_t kFeedBytes = 4096;

struct Progress {
  int width, height;
  DecodedPixels* out;
  bool sizeFits = false;
  int lastPass = 0;  // 6 for an interlaced picture
  bool done = false;
};

// libpng's own handlers print; ours only leave, through the jump set in Feed.
[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Quiet(png_structp, png_const_charp) {}

void Info(png_structp png, png_infop info) {
  auto* p = static_cast<Progress*>(png_get_progressive_ptr(png));
  if (png_get_image_width(png, info) != static_cast<png_uint_32>(p->width) ||
      png_get_image_height(png, info) != static_cast<png_uint_32>(p->height))
    png_error(png, "size");
  const int type = png_get_color_type(png, info);
  png_set_strip_16(png);  // the high byte of each 16-bit channel
  png_set_packing(png);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // no effect where alpha is there already
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(p->width) * 4) png_error(png, "row size");
  p->lastPass = png_get_interlace_type(png, info) == PNG_INTERLACE_NONE ? 0 : 6;
  p->sizeFits = true;
}

// Called for every row of every pass (of seven, when interlaced); the last call is the
// bottom row in the last pass.
void Row(png_structp png, png_bytep row, png_uint_32 y, int pass) {
  auto* p = static_cast<Progress*>(png_get_progressive_ptr(png));
  if (!p->sizeFits || y >= static_cast<png_uint_32>(p->height)) png_error(png, "row");
  png_progressive_combine_row(png, p->out->bytes.data() + static_cast<size_t>(y) * p->width * 4, row);
  if (y + 1 == static_cast<png_uint_32>(p->height) && pass == p->lastPass) p->done = true;
}

struct PngOwner {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngOwner() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Nothing here needs cleaning up if a failure jumps out of it.
bool Feed(png_structp png, png_infop info, const uint8_t* bytes, size_t size, const Progress& p) {
  if (setjmp(png_jmpbuf(png))) return false;
  for (size_t at = 0; at < size && !p.done; at += kFeedBytes)
    png_process_data(png, info, const_cast<png_bytep>(bytes + at), std::min(kFeedBytes, size - at));
  return p.done;
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
  out->width = width;
  out->height = height;
  out->order = ChannelOrder::kRgba;
  out->bytes.assign(static_cast<size_t>(width) * height * 4, 0);
  Progress progress{width, height, out};
  png_set_progressive_read_fn(owner.png, &progress, Info, Row, nullptr);
  return Feed(owner.png, owner.info, bytes, size, progress);
}

}  // namespace tavimore
