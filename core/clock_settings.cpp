#include "core/clock_settings.h"

namespace tavimore {

ClockSettings DefaultSettings(const ClockBuild& build) {
  ClockSettings s{};
  s.imageCount = -1;
  for (int h = 0; h < kHandCount; ++h) s.hands[h] = build.defaults[h];
  return s;
}

PayloadError ApplyPayload(const uint8_t* payload, size_t size, ClockSettings* settings) {
  DecodedPayload d;
  const PayloadError error = DecodePayload(payload, size, &d);
  if (error != PayloadError::kNone) return error;
  settings->imageCount = d.imageCount;
  for (int h = 0; h < kHandCount; ++h) settings->hands[h] = d.hands[h];
  settings->author = d.author;
  settings->url = d.url;
  settings->mail = d.mail;
  settings->imagesOffset = d.imagesOffset;
  return PayloadError::kNone;
}

}  // namespace tavimore
