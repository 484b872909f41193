// GIF through giflib: the first frame only, read record by record (never the whole file's
// frames at once), placed at its offset on the logical screen. The screen outside the
// frame and the frame's transparent colour are transparent. Rows of the frame below the
// screen are not decoded where the order of the rows allows stopping early.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "decode/readers.h"

namespace tavimore {
namespace {

struct Source {
  const uint8_t* bytes;
  size_t size;
  size_t at;
};

int Read(GifFileType* gif, GifByteType* to, int n) {
  auto* s = static_cast<Source*>(gif->UserData);
  const size_t take = std::min(static_cast<size_t>(n < 0 ? 0 : n), s->size - s->at);
  std::memcpy(to, s->bytes + s->at, take);
  s->at += take;
  return static_cast<int>(take);
}

struct GifOwner {
  GifFileType* gif = nullptr;
  ~GifOwner() {
    int error = 0;
    if (gif) DGifCloseFile(gif, &error);
  }
};

// The transparent index a graphic control extension gives, or -1.
int TransparentIndex(const GifByteType* block) {
  if (!block || block[0] < 4 || !(block[1] & 1)) return -1;
  return block[4];
}

// The frame's rows in the order they are stored: interlaced frames in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

bool ReadFrame(GifFileType* gif, int transparent, DecodedPixels* out) {
  const GifImageDesc& d = gif->Image;
  const ColorMapObject* colors = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (!colors || d.Width <= 0 || d.Height <= 0) return false;
  const std::vector<int> order = RowOrder(d.Height, d.Interlace);
  // The last stored row that lands on the screen; nothing after it is needed.
  size_t needed = 0;
  for (size_t i = 0; i < order.size(); ++i)
    if (d.Top + order[i] < out->height) needed = i + 1;
  std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
  for (size_t i = 0; i < needed; ++i) {
    if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK) return false;
    const int y = d.Top + order[i];
    if (y >= out->height) continue;
    uint8_t* row = out->bytes.data() + static_cast<size_t>(y) * out->width * 4;
    for (int x = 0; x < d.Width && d.Left + x < out->width; ++x) {
      const int index = line[x];
      if (index == transparent) continue;  // stays transparent
      uint8_t* p = row + static_cast<size_t>(d.Left + x) * 4;
      if (index < colors->ColorCount) {
        const GifColorType& c = colors->Colors[index];
        p[0] = c.Red, p[1] = c.Green, p[2] = c.Blue;
      } else {
        p[0] = p[1] = p[2] = 0;
      }
      p[3] = 255;
    }
  }
  return true;
}

}  // namespace

bool ReadGif(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out) {
  Source source{bytes, size, 0};
  GifOwner owner;
  int error = 0;
  owner.gif = DGifOpen(&source, Read, &error);
  if (!owner.gif || owner.gif->SWidth != width || owner.gif->SHeight != height) return false;
  out->width = width;
  out->height = height;
  out->order = ChannelOrder::kRgba;
  out->bytes.assign(static_cast<size_t>(width) * height * 4, 0);  // transparent
  int transparent = -1;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(owner.gif, &record) != GIF_OK) return false;
    if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(owner.gif) != GIF_OK) return false;
      return ReadFrame(owner.gif, transparent, out);
    }
    if (record != EXTENSION_RECORD_TYPE) return false;  // the end before any frame
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(owner.gif, &code, &block) != GIF_OK) return false;
    if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(block);
    while (block)
      if (DGifGetExtensionNext(owner.gif, &block) != GIF_OK) return false;
  }
}

}  // namespace tavimore
