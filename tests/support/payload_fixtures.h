// Payloads and clock files for the tests: texts as given, hands with three different
// colour bytes and a length beyond 100 (which the format allows), and face images whose
// pixels all differ, the spare value 0.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/build_marker.h"
#include "core/clock_builder.h"
#include "core/payload_reader.h"
#include "core/payload_writer.h"

namespace tavimore::test {

inline PayloadContent Content(const std::string& a, const std::string& u,
                              const std::string& m, int images) {
  PayloadContent c;
  c.author = a;
  c.url = u;
  c.mail = m;
  c.hands[kHour] = {0xFF8040, 75};
  c.hands[kMinute] = {0x000080, 80};
  c.hands[kSecond] = {0x103000, 200};
  c.images.resize(static_cast<size_t>(images) * kImageValues);
  for (size_t i = 0; i < c.images.size(); ++i)
    c.images[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  for (int k = 0; k < images; ++k)
    c.images[static_cast<size_t>(k) * kImageValues + kFacePixels] = 0;
  return c;
}

inline std::vector<uint8_t> Encode(const PayloadContent& c) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(EncodePayload(c, &out));
  return out;
}

// A clock program as delivered, reduced to what tells its build: the marker.
inline std::vector<uint8_t> ProgramBytes(const char* build) {
  const std::string marker = std::string(kBuildMarkerPrefix) + build;
  std::vector<uint8_t> bytes(4096, 0);
  std::memcpy(bytes.data() + 1000, marker.c_str(), marker.size() + 1);
  return bytes;
}

// That program built into a clock carrying `content`.
inline std::vector<uint8_t> BuiltClock(const char* build, const PayloadContent& content) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(BuildClockBytes(ProgramBytes(build), content, &out));
  return out;
}

inline std::string Text(const std::vector<uint8_t>& p, TextField f) {
  return std::string(reinterpret_cast<const char*>(p.data()) + f.offset, f.length);
}

}  // namespace tavimore::test
