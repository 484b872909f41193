// A clock's settings as it starts: its build's defaults, replaced by whatever payload its
// own executable carries. The clock program, the command line and the tests all take them
// from here, so a file means the same to each of them.
//
// A clock file shorter than kPayloadOffset has no payload and runs with the defaults.
// Otherwise everything from kPayloadOffset on is the payload; when it is damaged the clock
// must not start (it says so), and the settings are not to be used.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/clock_build.h"
#include "core/payload_reader.h"

namespace tavimore {

// Texts a clock shows where its payload leaves a field empty (or has none).
constexpr char kDefaultAuthor[] = "Brenwick";
constexpr char kDefaultHomePage[] = "https://tavimore.example/";
constexpr char kDefaultMail[] = "clock@tavimore.example";

struct ClockSettings {
  int32_t imageCount;  // -1: no face images, the build's own face is shown
  Hand hands[kHandCount];
  // The payload's texts (code page 932); a field of length 0 takes its default above.
  TextField author, url, mail;
  uint32_t imagesOffset;  // payload offset of face image 0
};

ClockSettings DefaultSettings(const ClockBuild& build);

// Decodes the payload (the file's bytes from kPayloadOffset on) over the defaults. On an
// error the settings keep the defaults and must not be used: the file is damaged.
PayloadError ApplyPayload(const uint8_t* payload, size_t size, ClockSettings* settings);

}  // namespace tavimore
