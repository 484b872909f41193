// What a clock shows, from its file: its build, its settings (the build's defaults with
// the payload over them), the author's name and the two addresses after their defaults,
// and its face images. Every front end opens a clock file through here, so a file means
// the same to the Windows clock, the Linux clock, the command line and the web page.
//
// Texts stay code page 932 bytes, as the payload holds them (pointing into the payload or
// at the defaults); each front end converts them to its own text form.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/clock_build.h"
#include "core/clock_settings.h"

namespace tavimore {

struct ClockText {
  const char* bytes;  // code page 932, not zero-terminated
  uint32_t length;
};

struct ClockContent {
  const ClockBuild* build;
  ClockSettings settings;
  const uint8_t* payload;  // the file's bytes from kPayloadOffset on; null without payload
  size_t payloadSize;
  // The texts the clock shows and opens: the payload's, or the defaults where a field is
  // empty or there is no payload. The menu opens an address only through MenuAddress.
  ClockText author, homePage, mail;
  PayloadError damage;  // why the payload is damaged, after kDamaged
};

enum class ClockOpen {
  kReady,
  kNotAClock,  // no clock program's marker in the file's first kPayloadOffset bytes
  kDamaged,    // the payload is damaged: the clock must not start
};

// The content of a clock of `build` whose file holds `payload` from kPayloadOffset on
// (null and 0 for a file without payload). The bytes must outlive the content.
ClockOpen OpenClockPayload(const ClockBuild& build, const uint8_t* payload, size_t size,
                           ClockContent* content);

// A whole clock file's content: core/clock_file.h.

// True when the clock shows face images of its own rather than its build's face.
inline bool HasFaceImages(const ClockContent& c) { return c.settings.imageCount > 0; }

// Copies face image `index` (0 to imageCount - 1) into `pixels` (kImageValues values).
void ReadContentImage(const ClockContent& c, int index, uint32_t* pixels);

enum class MenuAddressKind { kHomePage, kMail };

// Room MenuAddress needs for `kind`, its zero included.
size_t MenuAddressRoom(const ClockContent& c, MenuAddressKind kind);

// What the menu item opens (code page 932, zero-terminated) into `out`, which has
// MenuAddressRoom bytes; returns its length, 0 when the address is not to be opened.
size_t MenuAddress(const ClockContent& c, MenuAddressKind kind, char* out);

}  // namespace tavimore
