// GIF through giflib, read record by record (never the whole file's frames at once): each
// frame is decoded into a frame of its own, cut to the logical screen, and composed on the
// screen by the core's canvas (core/gif_canvas.h), so at most the screen, one frame and
// one earlier screen are held. The first frame alone gives a strip's pixels; its rows
// below the screen are not decoded where the order of the rows allows stopping early.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/gif_canvas.h"
#include "decode/readers.h"
#include "decode/system_decoder.h"

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

// What a graphic control extension says of the frame after it.
struct FrameControl {
  int transparent = -1;  // the transparent index, or -1
  GifDisposal disposal = GifDisposal::kKeep;
};

FrameControl ReadControl(const GifByteType* block) {
  FrameControl c;
  if (!block || block[0] < 4) return c;
  if (block[1] & 1) c.transparent = block[4];
  c.disposal = DisposalFromPacked(block[1]);
  return c;
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

// Decodes the frame whose descriptor was just read into `frame`: the part of it on the
// screen (an empty frame where none is), transparent where its transparent colour is.
// With `whole` every row is read, so that the next record can follow; without, reading
// stops after the last row on the screen.
bool ReadFrame(GifFileType* gif, const FrameControl& control, bool whole, GifFrameImage* frame) {
  const GifImageDesc& d = gif->Image;
  const ColorMapObject* colors = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (!colors || d.Width <= 0 || d.Height <= 0) return false;
  const int right = std::min(d.Left + d.Width, gif->SWidth);
  const int bottom = std::min(d.Top + d.Height, gif->SHeight);
  DecodedPixels& to = frame->pixels;
  frame->left = d.Left, frame->top = d.Top, frame->disposal = control.disposal;
  to.order = ChannelOrder::kRgba;
  to.width = std::max(right - d.Left, 0);
  to.height = std::max(bottom - d.Top, 0);
  to.bytes.assign(static_cast<size_t>(to.width) * to.height * 4, 0);
  const std::vector<int> order = RowOrder(d.Height, d.Interlace);
  size_t needed = order.size();
  if (!whole) {  // the last stored row that lands on the screen; nothing after it is needed
    needed = 0;
    for (size_t i = 0; i < order.size(); ++i)
      if (order[i] < to.height) needed = i + 1;
  }
  std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
  for (size_t i = 0; i < needed; ++i) {
    if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK) return false;
    const int y = order[i];
    if (y >= to.height) continue;
    uint8_t* p = to.bytes.data() + static_cast<size_t>(y) * to.width * 4;
    for (int x = 0; x < to.width; ++x, p += 4) {
      const int index = line[x];
      if (index == control.transparent) continue;  // stays transparent
      if (index < colors->ColorCount) {
        const GifColorType& c = colors->Colors[index];
        p[0] = c.Red, p[1] = c.Green, p[2] = c.Blue;
      }  // else black, as the bytes already are
      p[3] = 255;
    }
  }
  return true;
}

// Walks the file's records, composing each frame and handing the screen to `visit`, which
// returns false to stop. `firstOnly` stops after the first frame, reading no more of it
// than the screen shows.
bool WalkFrames(const uint8_t* bytes, size_t size, int width, int height, bool firstOnly,
                const GifFrameVisit& visit) {
  Source source{bytes, size, 0};
  GifOwner owner;
  int error = 0;
  owner.gif = DGifOpen(&source, Read, &error);
  if (!owner.gif || owner.gif->SWidth != width || owner.gif->SHeight != height) return false;
  GifCanvas canvas;
  StartGifCanvas(width, height, ChannelOrder::kRgba, &canvas);
  GifFrameImage frame;
  FrameControl control;
  bool any = false;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(owner.gif, &record) != GIF_OK) return any;  // a cut file: what came
    if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(owner.gif) != GIF_OK ||
          !ReadFrame(owner.gif, control, !firstOnly, &frame) || !DrawGifFrame(frame, &canvas))
        return any;
      any = true;
      if (!visit(canvas.screen) || firstOnly) return true;
      control = FrameControl{};  // a control extension is for the one frame after it
      continue;
    }
    if (record != EXTENSION_RECORD_TYPE) return any;  // the trailer
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(owner.gif, &code, &block) != GIF_OK) return any;
    if (code == GRAPHICS_EXT_FUNC_CODE) control = ReadControl(block);
    while (block)
      if (DGifGetExtensionNext(owner.gif, &block) != GIF_OK) return any;
  }
}

}  // namespace

bool ReadGif(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out) {
  return WalkFrames(bytes, size, width, height, true, [out](const DecodedPixels& screen) {
    *out = screen;
    return true;
  });
}

bool DecodeGifFrames(const uint8_t* bytes, size_t size, int width, int height,
                     const GifFrameVisit& visit) {
  return WalkFrames(bytes, size, width, height, false, visit);
}

}  // namespace tavimore
