#include "linux/native_clock.h"

#include <algorithm>
#include <utility>

#include "core/build_list.h"
#include "core/clock_face.h"
#include "core/cp932.h"
#include "core/hand_geometry.h"
#include "core/menu_address.h"
#include "core/picture_strip.h"

namespace tavimore {
namespace {

const uint8_t* PayloadBytes(const NativeClock& c) { return c.bytes.data() + kPayloadOffset; }
size_t PayloadSize(const NativeClock& c) { return c.bytes.size() - kPayloadOffset; }

// A payload text field (code page 932), or the default when it is empty or absent.
std::string FieldOr(const NativeClock& c, const TextField& field, const char* fallback) {
  if (c.bytes.size() < kPayloadOffset || field.length == 0) return fallback;
  return std::string(reinterpret_cast<const char*>(PayloadBytes(c)) + field.offset, field.length);
}

// What the menu may open, as UTF-8; empty when the check refuses the text.
std::string Target(const std::string& cp932, size_t (*check)(const char*, size_t, char*)) {
  std::string checked(cp932.size() + kAddressPrefixRoom, '\0');
  const size_t n = check(cp932.data(), cp932.size(), checked.data());
  return n == 0 ? std::string() : Utf8FromCp932(std::string_view(checked.data(), n));
}

// The build's picture through the same decoder as `tavimore render`; a picture that does
// not decode leaves the plain colour, as the Windows clock does.
std::vector<uint32_t> BuiltInFace(const ClockBuild& build) {
  if (!build.picture) return {};
  PictureStrip strip;
  if (DecodePictureStrip(build.picture, build.pictureSize, &strip) != StripError::kNone) return {};
  strip.images.resize(kImageValues);  // the picture is one face; more would be ignored
  return std::move(strip.images);
}

}  // namespace

ClockLoad LoadNativeClock(std::vector<uint8_t> bytes, NativeClock* c) {
  c->bytes = std::move(bytes);
  c->build = DetectBuild(c->bytes.data(), std::min<size_t>(c->bytes.size(), kPayloadOffset));
  if (!c->build) return ClockLoad::kNotAClock;
  c->settings = DefaultSettings(*c->build);
  if (ApplyClockFile(c->bytes.data(), c->bytes.size(), &c->settings) != PayloadError::kNone)
    return ClockLoad::kDamaged;
  c->author = Utf8FromCp932(FieldOr(*c, c->settings.author, kDefaultAuthor));
  c->homePage = Target(FieldOr(*c, c->settings.url, kDefaultHomePage), HomePageTarget);
  c->mail = Target(FieldOr(*c, c->settings.mail, kDefaultMail), MailTarget);
  if (c->settings.imageCount < 0) c->builtInFace = BuiltInFace(*c->build);
  c->bgIndex = 0;
  c->lastTimeText.clear();
  return ClockLoad::kReady;
}

bool TickNativeClock(NativeClock* c, const char* timeText, uint8_t* rgba) {
  if (c->lastTimeText == timeText) return false;
  ClockTime time;
  if (!ParseTimeText(timeText, &time)) return false;
  const uint32_t* background = nullptr;
  uint32_t image[kImageValues];
  if (c->settings.imageCount > 0) {
    ReadFaceImage(PayloadBytes(*c), PayloadSize(*c), c->settings.imagesOffset, c->bgIndex, image);
    background = image;
    c->bgIndex = (c->bgIndex + 1) % c->settings.imageCount;
  } else if (!c->builtInFace.empty()) {
    background = c->builtInFace.data();
  }
  RenderClockWindow(*c->build, c->settings.hands, background, time, rgba);
  c->lastTimeText = timeText;
  return true;
}

}  // namespace tavimore
