// libFuzzer target for everything that reads a clock file's bytes: the payload reader,
// the settings a clock starts with, the face images, the texts' conversion from code page
// 932, and the build marker search.
//
// Each input is read twice: as a payload on its own (the likely place for faults, and
// small inputs reach every field), and as a whole clock file, whose payload starts at
// kPayloadOffset (a shorter file has none). Out-of-bounds reads are the sanitizers'
// business; the checks here are the properties every decoded payload must have whatever
// its bytes, and a broken one ends the run with a message, as a crash would.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/build_list.h"
#include "core/clock_settings.h"
#include "core/cp932.h"
#include "core/payload_reader.h"

namespace {

using namespace tavimore;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_payload: %s\n", what);
  std::abort();
}

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    const size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                     : (lead >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

// A field starts where the one before it ended (after its zero byte), ends at a zero byte
// or at the end of the bytes (the reader's own zero), and holds no zero byte itself.
void CheckField(const uint8_t* payload, size_t size, const TextField& field, size_t start) {
  Require(field.offset == start, "a text field does not start after the one before it");
  Require(field.offset <= size && field.length <= size - field.offset,
          "a text field runs past the end of the payload");
  for (uint32_t i = 0; i < field.length; ++i)
    Require(payload[field.offset + i] != 0, "a text field holds a zero byte");
  Require(field.offset + field.length == size || payload[field.offset + field.length] == 0,
          "a text field does not end at a zero byte");
  const std::string text(reinterpret_cast<const char*>(payload + field.offset), field.length);
  Require(IsUtf8(Utf8FromCp932(text)), "a text converted from code page 932 is not UTF-8");
}

bool SameHands(const Hand* a, const Hand* b) {
  for (int h = 0; h < kHandCount; ++h)
    if (a[h].color != b[h].color || a[h].length != b[h].length) return false;
  return true;
}

bool SameField(const TextField& a, const TextField& b) {
  return a.offset == b.offset && a.length == b.length;
}

bool SameSettings(const ClockSettings& a, const ClockSettings& b) {
  return a.imageCount == b.imageCount && SameHands(a.hands, b.hands) &&
         SameField(a.author, b.author) && SameField(a.url, b.url) && SameField(a.mail, b.mail) &&
         a.imagesOffset == b.imagesOffset;
}

// Every build starts from its defaults; a damaged payload must leave them untouched, a
// good one must give exactly what the reader decoded.
void CheckSettings(const uint8_t* payload, size_t size, PayloadError expected,
                   const DecodedPayload& decoded) {
  for (const ClockBuild* build : kAllBuilds) {
    const ClockSettings defaults = DefaultSettings(*build);
    ClockSettings settings = defaults;
    Require(ApplyPayload(payload, size, &settings) == expected,
            "the settings and the reader disagree about the payload");
    if (expected != PayloadError::kNone) {
      Require(SameSettings(settings, defaults), "a damaged payload changed the settings");
      continue;
    }
    Require(settings.imageCount == decoded.imageCount && SameHands(settings.hands, decoded.hands) &&
                SameField(settings.author, decoded.author) && SameField(settings.url, decoded.url) &&
                SameField(settings.mail, decoded.mail) &&
                settings.imagesOffset == decoded.imagesOffset,
            "the settings differ from the decoded payload");
  }
}

void CheckPayload(const uint8_t* payload, size_t size) {
  DecodedPayload d{};
  const PayloadError error = DecodePayload(payload, size, &d);
  Require(PayloadErrorText(error) != nullptr, "an error without a text");
  CheckSettings(payload, size, error, d);
  if (error != PayloadError::kNone) return;

  CheckField(payload, size, d.author, 0);
  CheckField(payload, size, d.url, d.author.offset + d.author.length + 1);
  CheckField(payload, size, d.mail, d.url.offset + d.url.length + 1);
  Require(d.imageCount >= 1 && d.imageCount <= kMaxImages, "an image count outside 1..255");
  for (const Hand& hand : d.hands)
    Require(hand.color <= 0xFFFFFF && hand.length >= 0 && hand.length <= 255,
            "a hand wider than its three colour bytes and one length byte");
  Require(d.imagesOffset == d.mail.offset + d.mail.length + 1 + kHandBlockBytes,
          "the images do not start right after the hand block");
  // The reader's own zero byte at index `size` may end the last image, nothing beyond it.
  Require(d.imagesOffset + d.imageCount * kImageBlockBytes <= size + 1,
          "the decoded images run past the end of the payload");

  std::vector<uint32_t> pixels(kImageValues);
  for (int k = 0; k < d.imageCount; ++k) ReadFaceImage(payload, size, d.imagesOffset, k, pixels.data());
  // A payload whose last byte is cut off ends its last value on the reader's zero byte.
  if (d.imagesOffset + d.imageCount * kImageBlockBytes == size + 1)
    Require(pixels[kImageValues - 1] >> 24 == 0, "the reader's own zero byte was not read as 0");
}

void CheckClockFile(const uint8_t* bytes, size_t size) {
  if (const ClockBuild* build = DetectBuild(bytes, size))
    Require(FindBuild(build->name) == build, "a detected build that is not one of the five");
  if (size >= kPayloadOffset) CheckPayload(bytes + kPayloadOffset, size - kPayloadOffset);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckPayload(data, size);
  CheckClockFile(data, size);
  return 0;
}
