#include "linux/native_clock.h"

#include <utility>

#include "core/clock_face.h"
#include "core/clock_file.h"
#include "core/cp932.h"
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
  return ClockOpen::kReady;
}

bool TickNativeClock(NativeClock* c, const LocalTime& now, uint32_t window[kWindowPixels]) {
  const TickFace tick = TickAt(&c->ticker, c->content.settings.imageCount, now);
  if (!tick.redraw) return false;
  uint32_t image[kImageValues];
  const uint32_t* builtIn = c->builtInFace.empty() ? nullptr : c->builtInFace.data();
  RenderClockWindow(*c->content.build, c->content.settings.hands,
                    TickBackground(c->content, tick.faceImage, builtIn, image), tick.time, kBaseDpi, window);
  return true;
}

}  // namespace tavimore
