#include "bench/sample_clock.h"

#include "core/clock_build.h"

namespace tavimore {

PayloadContent SampleContent(int images) {
  PayloadContent c;
  c.author = "Brenwick";
  c.url = "https://tavimore.example/";
  c.mail = "clock@tavimore.example";
  for (int h = 0; h < kHandCount; ++h) c.hands[h] = kPirrowBuild.defaults[h];
  c.images.resize(static_cast<size_t>(images) * kImageValues);
  for (size_t i = 0; i < c.images.size(); ++i)
    c.images[i] = static_cast<uint32_t>(i * 2654435761u) & 0x00FFFFFF;  // no long runs
  return c;
}

std::vector<uint8_t> SampleDefinition() {
  std::vector<uint8_t> bytes(kSampleDefinitionBytes);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31 + 7);
  return bytes;
}

}  // namespace tavimore
