#include "linux/native_clock.h"

#include <utility>

#include "core/clock_face.h"
#include "core/clock_file.h"
#include "core/cp932.h"
#include "core/outline.h"
#include "decode/picture_decode.h"

namespace tavimore {
namespace {

std::string Utf8(const char* cp932, size_t length) {
  return Utf8FromCp932(std::string_view(cp932, length));
}

// What the menu may open, as UTF-8; empty when the address is refused.
std::string Target(const ClockContent& c, MenuAddressKind kind) {
  std::string checked(MenuAddressRoom(c, kind), '\0');
  const size_t n = MenuAddress(c, kind, checked.data());
  return n == 0 ? std::string() : Utf8(checked.data(), n);
}

}  // namespace

ClockOpen LoadNativeClock(std::vector<uint8_t> bytes, NativeClock* c) {
  c->bytes = std::move(bytes);
  const ClockOpen open = OpenClockFile(c->bytes.data(), c->bytes.size(), nullptr, &c->content);
  if (open != ClockOpen::kReady) return open;
  c->author = Utf8(c->content.author.bytes, c->content.author.length);
  c->homePage = Target(c->content, MenuAddressKind::kHomePage);
  c->mail = Target(c->content, MenuAddressKind::kMail);
  // A picture that does not decode leaves the plain colour, as the Windows clock does.
  if (!HasFaceImages(c->content)) DecodeBuiltInFace(*c->content.build, &c->builtInFace);
  c->ticker = Ticker{};
  c->dpi = 0;
  return ClockOpen::kReady;
}

int NativeClockDpi(int scale) {
  // A factor beyond any screen's is not multiplied into an overflow.
  return ClampDpi(scale > kMaxDpi / kBaseDpi ? kMaxDpi : kBaseDpi * scale);
}

bool TickNativeClock(NativeClock* c, const LocalTime& now, uint32_t* window, int dpi) {
  dpi = ClampDpi(dpi);
  const int32_t count = c->content.settings.imageCount;
  TickFace tick = TickAt(&c->ticker, count, now);
  if (!tick.redraw) {
    if (dpi == c->dpi) return false;
    tick = LastTick(c->ticker, count);
  }
  if (dpi != c->dpi) {
    const int size = ScaledFaceSize(dpi);
    c->enlargedPixels.assign(static_cast<size_t>(size) * size, 0);
    c->enlarged = EnlargedFace{c->enlargedPixels.data()};
  }
  c->dpi = dpi;
  uint32_t image[kImageValues];
  const uint32_t* builtIn = c->builtInFace.empty() ? nullptr : c->builtInFace.data();
  DrawTickFace(ClearClockWindow(window, dpi), c->content, builtIn, tick, dpi, &c->enlarged,
               image);
  return true;
}

void LogicalOutlineMask(const ClockBuild& build, int dpi, uint8_t* mask, int logicalDpi) {
  dpi = ClampDpi(dpi);
  logicalDpi = ClampDpi(logicalDpi);
  const int size = ScaledWindowSize(dpi);
  const int logical = ScaledWindowSize(logicalDpi);
  std::vector<uint8_t> scaled(static_cast<size_t>(size) * size);
  BuildOutlineMask(build, dpi, scaled.data());
  // The first device pixel of logical pixel x; the last logical pixel takes the rest, so a
  // rounding short of the drawn size cuts nothing away.
  auto device = [&](int x) {
    const int d = (x * dpi + logicalDpi / 2) / logicalDpi;
    return x == logical || d > size ? size : d;
  };
  for (int y = 0; y < logical; ++y) {
    for (int x = 0; x < logical; ++x) {
      uint8_t inside = 0;
      for (int sy = device(y); sy < device(y + 1) && !inside; ++sy)
        for (int sx = device(x); sx < device(x + 1) && !inside; ++sx)
          inside = scaled[static_cast<size_t>(sy) * size + sx];
      mask[y * logical + x] = inside;
    }
  }
}

}  // namespace tavimore
