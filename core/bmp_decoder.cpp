#include "core/bmp_decoder.h"

#include <cstring>

#include "core/byte_order.h"

namespace tavimore {
namespace {

// Compression values of the information header.
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

struct Bytes {
  const uint8_t* data;
  size_t size;
  uint32_t at(size_t i) const { return i < size ? data[i] : 0; }
  uint32_t le16(size_t i) const { return at(i) | at(i + 1) << 8; }
  uint32_t le32(size_t i) const { return le16(i) | le16(i + 2) << 16; }
};

// One colour channel held under a mask: where it starts and how many bits it has.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!(m & 1)) m >>= 1, ++shift;
    while (m) m >>= 1, ++bits;  // a mask with holes counts its whole span
  }
  uint8_t Of(uint32_t pixel) const {
    if (!bits) return 0;
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t r = 0;
    int have = 0;
    for (; have < 8; have += bits) r = r << bits | v;
    return static_cast<uint8_t>(r >> (have - 8));
  }
};

struct Layout {
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bits = 0, compression = kRgb;
  Channel red, green, blue, alpha;
  uint8_t palette[256][4] = {};  // red, green, blue, 255
  uint32_t paletteSize = 0;
  size_t pixelsAt = 0;
};

bool ReadLayout(const Bytes& b, Layout* l) {
  const uint32_t header = b.le32(14);
  const size_t headerEnd = 14 + static_cast<size_t>(header);
  if (header > b.size || headerEnd > b.size) return false;
  l->pixelsAt = b.le32(10);
  size_t paletteAt = headerEnd;
  int paletteEntryBytes = 4;
  uint32_t colorsUsed = 0;
  if (header == 12) {
    l->width = b.le16(18);
    l->height = b.le16(20);
    l->bits = b.le16(24);
    paletteEntryBytes = 3;
  } else if (header >= 16) {
    l->width = static_cast<int32_t>(b.le32(18));
    const int32_t h = static_cast<int32_t>(b.le32(22));
    l->topDown = h < 0;
    l->height = h < 0 ? -static_cast<int64_t>(h) : h;
    l->bits = b.le16(28);
    if (header >= 20) l->compression = b.le32(30);
    if (header >= 36) colorsUsed = b.le32(46);
    // OS/2's 64-byte header numbers its own Huffman and RLE24 methods 3 and 4.
    const bool os2 = header != 40 && header != 52 && header != 56 && header != 108 && header != 124;
    if (os2 && l->compression >= kBitFields) return false;
  } else {
    return false;
  }
  if (l->width <= 0 || l->height <= 0) return false;

  switch (l->bits) {
    case 1: case 4: case 8:
      if (l->compression == kRle8 && l->bits != 8) return false;
      if (l->compression == kRle4 && l->bits != 4) return false;
      if (l->compression != kRgb && l->compression != kRle8 && l->compression != kRle4) return false;
      break;
    case 16: case 32:
      if (l->compression == kBitFields || l->compression == kAlphaBitFields) {
        // Masks follow a 40-byte header; the larger headers hold them inside.
        const size_t masksAt = 54;
        l->red = Channel(b.le32(masksAt));
        l->green = Channel(b.le32(masksAt + 4));
        l->blue = Channel(b.le32(masksAt + 8));
        if (l->compression == kAlphaBitFields || header >= 56) l->alpha = Channel(b.le32(masksAt + 12));
        if (header == 40) paletteAt += l->compression == kAlphaBitFields ? 16 : 12;
      } else if (l->compression == kRgb) {
        if (l->bits == 16) {
          l->red = Channel(0x7C00), l->green = Channel(0x03E0), l->blue = Channel(0x001F);
        } else {
          l->red = Channel(0xFF0000), l->green = Channel(0xFF00), l->blue = Channel(0xFF);
        }
      } else {
        return false;
      }
      break;
    case 24:
      if (l->compression != kRgb) return false;
      break;
    default:
      return false;
  }

  if (l->bits <= 8) {
    const uint32_t most = 1u << l->bits;
    l->paletteSize = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
    for (uint32_t i = 0; i < l->paletteSize; ++i) {
      const size_t at = paletteAt + static_cast<size_t>(i) * paletteEntryBytes;
      // Entries cut off by the pixel data or the end of the file stay black.
      if (at + 3 > b.size || (l->pixelsAt >= paletteAt && at + 3 > l->pixelsAt)) break;
      l->palette[i][0] = static_cast<uint8_t>(b.at(at + 2));
      l->palette[i][1] = static_cast<uint8_t>(b.at(at + 1));
      l->palette[i][2] = static_cast<uint8_t>(b.at(at));
      l->palette[i][3] = 255;
    }
  }
  return true;
}

void PutIndex(const Layout& l, uint32_t index, uint8_t* to) {
  static const uint8_t kBlack[4] = {0, 0, 0, 255};
  std::memcpy(to, index < l.paletteSize ? l.palette[index] : kBlack, 4);
}

uint8_t* RowStart(const Layout& l, DecodedPixels* out, int64_t fileRow) {
  const int64_t y = l.topDown ? fileRow : l.height - 1 - fileRow;
  return out->bytes.data() + static_cast<size_t>(y * l.width * 4);
}

bool DecodeRows(const Bytes& b, const Layout& l, DecodedPixels* out) {
  const size_t stride = static_cast<size_t>((l.width * l.bits + 31) / 32 * 4);
  const size_t used = static_cast<size_t>((l.width * l.bits + 7) / 8);
  // The last row may lack its padding; anything shorter is a cut file.
  if (l.pixelsAt > b.size || b.size - l.pixelsAt < stride * (l.height - 1) + used) return false;
  bool anyAlpha = false;
  for (int64_t r = 0; r < l.height; ++r) {
    const uint8_t* from = b.data + l.pixelsAt + stride * r;
    uint8_t* to = RowStart(l, out, r);
    for (int64_t x = 0; x < l.width; ++x, to += 4) {
      if (l.bits <= 8) {
        const int64_t bit = x * l.bits;
        const uint32_t index = from[bit / 8] >> (8 - l.bits - bit % 8) & ((1u << l.bits) - 1);
        PutIndex(l, index, to);
      } else if (l.bits == 24) {
        const uint8_t* p = from + x * 3;
        to[0] = p[2], to[1] = p[1], to[2] = p[0], to[3] = 255;
      } else {
        const uint8_t* p = from + x * (l.bits / 8);
        const uint32_t v = l.bits == 16 ? Le16(p) : Le32(p);
        to[0] = l.red.Of(v), to[1] = l.green.Of(v), to[2] = l.blue.Of(v);
        to[3] = l.alpha.bits ? l.alpha.Of(v) : 255;
        anyAlpha = anyAlpha || to[3] != 0;
      }
    }
  }
  if (l.alpha.bits && !anyAlpha)
    for (size_t i = 3; i < out->bytes.size(); i += 4) out->bytes[i] = 255;
  return true;
}

// RLE8 and RLE4: pairs (count, value) repeat a value; (0, 0) ends a row, (0, 1) the
// picture, (0, 2, dx, dy) moves right and down; (0, n >= 3) is followed by n literal
// pixels padded to an even number of bytes. Positions outside the picture are skipped.
void DecodeRunLength(const Bytes& b, const Layout& l, DecodedPixels* out) {
  const bool four = l.compression == kRle4;
  int64_t x = 0, row = 0;
  const auto put = [&](uint32_t index) {
    if (x < l.width && row < l.height) PutIndex(l, index, RowStart(l, out, row) + x * 4);
    ++x;
  };
  size_t p = l.pixelsAt;
  while (row < l.height && p + 1 < b.size) {
    const uint32_t count = b.data[p], value = b.data[p + 1];
    p += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count && x < l.width; ++i)
        put(four ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, ++row;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (p + 1 >= b.size) break;
      x += b.data[p], row += b.data[p + 1];
      p += 2;
    } else {
      const size_t bytes = four ? (value + 1) / 2 : value;
      for (uint32_t i = 0; i < value && p + (four ? i / 2 : i) < b.size; ++i) {
        const uint32_t byte = b.data[p + (four ? i / 2 : i)];
        put(four ? (i % 2 ? byte & 15 : byte >> 4) : byte);
      }
      p += bytes + bytes % 2;
    }
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPixels* out) {
  const Bytes b{bytes, size};
  if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  Layout l;
  if (!ReadLayout(b, &l)) return false;
  if (l.width > maxPixels / l.height) return false;
  out->width = static_cast<int>(l.width);
  out->height = static_cast<int>(l.height);
  out->order = ChannelOrder::kRgba;
  if (l.compression == kRle8 || l.compression == kRle4) {
    out->bytes.assign(static_cast<size_t>(l.width * l.height * 4), 0);  // unset: transparent
    if (l.pixelsAt >= size) return false;
    DecodeRunLength(b, l, out);
    return true;
  }
  out->bytes.assign(static_cast<size_t>(l.width * l.height * 4), 0);
  return DecodeRows(b, l, out);
}

}  // namespace tavimore
