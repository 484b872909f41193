// Payloads for the tests of the payload reader and writer: texts as given, hands with three
// different colour bytes and a length beyond 100 (which the format allows), and face images
// whose pixels all differ, the spare value 0.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

inline std::string Text(const std::vector<uint8_t>& p, TextField f) {
  return std::string(reinterpret_cast<const char*>(p.data()) + f.offset, f.length);
}

}  // namespace tavimore::test
