// Test helper for the clock programs under Wine: compares a screenshot with pictures of
// the clock window as `tavimore render` draws them, and writes picture strips to build
// test clocks from.
//
//   screen_check compare SHOT.png X Y EXPECTED.png...
//       Compares the window at (X, Y) of the screenshot with each expected picture of it
//       (82 x 82 at 100 %, larger at other scales; RGBA; alpha 0 marks pixels outside the outline, where the screen must show the
//       black root window). Prints "match K" for the first exact match (K from 0) and
//       exits 0; otherwise prints each candidate's mismatch count and the first
//       mismatching pixels of the closest one, and exits 1.
//       With SCREEN_SHAPE=wine10 in the environment, the outline is compared as Wine 10.0
//       shows it rather than as the region holds it: Wine 10 draws a window's region through
//       a one-bit shape bitmap and loses every span of a row that lies within one byte of it
//       (ORing in `l_mask & r_mask` where `l_mask & ~r_mask` was meant, in win32u's
//       set_surface_shape_rect), and sets that byte's pixels after the span instead (any
//       colour is accepted there). The region itself is the mask; tests/wine/test_outline.sh
//       checks that.
//       With SCREEN_FRINGE=N, the window is cut in blocks of N x N screen pixels (GDK cuts
//       a window scaled by N in its logical pixels): a pixel outside the outline in a block
//       that holds one inside it shows the window, in any colour.
//   screen_check strip OUT.png COUNT
//       Writes an 80-pixel-wide strip of COUNT distinct faces, each a colour of its own
//       with an asymmetric mark, so that swapped frames, flipped rows or swapped colour
//       channels cannot pass for the right picture.
//   screen_check colours PICTURE
//       Prints the number of distinct colours of a picture.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/read_whole_file.h"
#include "decode/picture_decode.h"

namespace {

constexpr int kFace = 80;

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool Load(const char* path) {
    std::vector<uint8_t> bytes;
    std::string error;
    tavimore::DecodedPixels pixels;
    constexpr int64_t kMostPixels = 16 << 20;  // far more than a screenshot of the test screen
    if (!tavimore::ReadWholeFile(path, &bytes, &error) ||
        !tavimore::DecodePicturePixels(bytes.data(), bytes.size(), kMostPixels, &pixels)) {
      std::fprintf(stderr, "screen_check: cannot read %s\n", path);
      return false;
    }
    width = pixels.width;
    height = pixels.height;
    rgba = std::move(pixels.bytes);
    return true;
  }
  const unsigned char* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

struct Mismatch {
  int x, y;
  unsigned shown, expected;
};

std::vector<Mismatch> Differences(const Picture& shot, int left, int top, const Picture& expected) {
  std::vector<Mismatch> out;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const int sx = left + x, sy = top + y;
      unsigned shown = 0xFFFFFFFF;  // off the screen: never matches
      if (sx >= 0 && sy >= 0 && sx < shot.width && sy < shot.height) {
        const unsigned char* s = shot.At(sx, sy);
        shown = s[0] << 16 | s[1] << 8 | s[2];
      }
      const unsigned char* e = expected.At(x, y);
      if (e[3] == 1) continue;  // shown by Wine 10 outside the region: any colour
      const unsigned want = e[3] == 0 ? 0 : (e[0] << 16 | e[1] << 8 | e[2]);
      if (shown != want) out.push_back({x, y, shown, want});
    }
  }
  return out;
}

// Replays Wine 10.0's one-bit shape fill over each row of the expected picture: pixels of a
// span within one byte become outside (alpha 0); the pixels after it in that byte, outside
// in the region, are marked 1 (shown, colour unknown).
void ApplyWine10Shape(Picture* expected) {
  const int width = expected->width;
  for (int y = 0; y < expected->height; ++y) {
    std::vector<unsigned char> inside(width), shown(width + 8);
    for (int x = 0; x < width; ++x) inside[x] = expected->At(x, y)[3] != 0;
    for (int x = 0; x < width;) {
      if (!inside[x]) {
        ++x;
        continue;
      }
      const int left = x;
      while (x < width && inside[x]) ++x;
      const int right = x;
      int l = left / 8, r = right / 8;
      unsigned lMask = (1u << (8 - (left & 7))) - 1, rMask = (1u << (8 - (right & 7))) - 1;
      if (rMask == 0xFF) {
        --r;
        rMask = 0;
      }
      auto set = [&](int byte, unsigned mask) {
        for (int bit = 0; bit < 8; ++bit)
          if (mask & (0x80u >> bit)) shown[byte * 8 + bit] = 1;
      };
      if (l == r) {
        set(l, lMask & rMask);
      } else if (l < r) {
        set(l, lMask);
        for (int k = l + 1; k < r; ++k) set(k, 0xFF);
        set(r, ~rMask & 0xFF);
      }
    }
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &expected->rgba[(static_cast<size_t>(y) * width + x) * 4];
      if (inside[x] && !shown[x]) p[3] = 0;
      if (!inside[x] && shown[x]) p[3] = 1;  // shown, in a colour the picture does not know
    }
  }
}

// Marks the pixels outside the outline (alpha 0) in every `block` x `block` square that
// holds a pixel inside it as shown in an unknown colour (alpha 1).
void ApplyBlockShape(Picture* expected, int block) {
  for (int top = 0; top < expected->height; top += block) {
    for (int left = 0; left < expected->width; left += block) {
      const int bottom = std::min(top + block, expected->height);
      const int right = std::min(left + block, expected->width);
      bool inside = false;
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) inside = inside || expected->At(x, y)[3] > 1;
      if (!inside) continue;
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
          unsigned char* p = &expected->rgba[(static_cast<size_t>(y) * expected->width + x) * 4];
          if (p[3] == 0) p[3] = 1;
        }
    }
  }
}

int Compare(int argc, char** argv) {
  if (argc < 6) return 2;
  const char* shape = std::getenv("SCREEN_SHAPE");
  const bool wine10 = shape && std::strcmp(shape, "wine10") == 0;
  const char* fringe = std::getenv("SCREEN_FRINGE");
  const int block = fringe ? std::atoi(fringe) : 1;
  Picture shot;
  if (!shot.Load(argv[2])) return 2;
  const int left = std::atoi(argv[3]), top = std::atoi(argv[4]);
  std::vector<std::vector<Mismatch>> results;
  for (int i = 5; i < argc; ++i) {
    Picture expected;
    if (!expected.Load(argv[i])) return 2;
    if (wine10) ApplyWine10Shape(&expected);
    if (block > 1) ApplyBlockShape(&expected, block);
    results.push_back(Differences(shot, left, top, expected));
    if (results.back().empty()) {
      std::printf("match %d\n", i - 5);
      return 0;
    }
  }
  size_t best = 0;
  for (size_t i = 0; i < results.size(); ++i) {
    std::printf("%s: %zu pixels differ\n", argv[5 + i], results[i].size());
    if (results[i].size() < results[best].size()) best = i;
  }
  for (size_t i = 0; i < results[best].size() && i < 12; ++i) {
    const Mismatch& m = results[best][i];
    std::printf("  (%d, %d): screen #%06X, expected #%06X\n", m.x, m.y, m.shown, m.expected);
  }
  return 1;
}

int Strip(int argc, char** argv) {
  if (argc != 4) return 2;
  const int count = std::atoi(argv[3]);
  if (count < 1 || count > 255) return 2;
  std::vector<unsigned char> rgb(static_cast<size_t>(kFace) * kFace * count * 3);
  for (int f = 0; f < count; ++f) {
    // Colours far apart for the first frames, then spread over the whole cube.
    const unsigned char r = static_cast<unsigned char>(f % 3 == 0 ? 200 : 40 + 37 * f % 120);
    const unsigned char g = static_cast<unsigned char>(f % 3 == 1 ? 190 : 50 + 53 * f % 110);
    const unsigned char b = static_cast<unsigned char>(f % 3 == 2 ? 210 : 60 + 29 * f % 100);
    for (int y = 0; y < kFace; ++y) {
      for (int x = 0; x < kFace; ++x) {
        unsigned char* p = &rgb[((static_cast<size_t>(f) * kFace + y) * kFace + x) * 3];
        // An "L" in the upper left, lighter than the face: shows flips and the frame order.
        const bool mark = (x >= 8 && x < 12 && y >= 8 && y < 30) || (y >= 26 && y < 30 && x >= 8 && x < 22);
        p[0] = mark ? 255 : r;
        p[1] = mark ? 240 : g;
        p[2] = mark ? 120 : b;
      }
    }
  }
  return stbi_write_png(argv[2], kFace, kFace * count, 3, rgb.data(), kFace * 3) ? 0 : 1;
}

int Colours(int argc, char** argv) {
  if (argc != 3) return 2;
  Picture p;
  if (!p.Load(argv[2])) return 2;
  std::set<unsigned> colours;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char* c = p.At(x, y);
      colours.insert(c[0] << 16 | c[1] << 8 | c[2]);
    }
  std::printf("%zu\n", colours.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "compare") return Compare(argc, argv);
  if (command == "strip") return Strip(argc, argv);
  if (command == "colours") return Colours(argc, argv);
  std::fprintf(stderr, "usage: screen_check compare|strip|colours ...\n");
  return 2;
}
