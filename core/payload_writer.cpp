#include "core/payload_writer.h"

#include <cstring>

namespace tavimore {
namespace {

void AppendText(const std::string& text, std::vector<uint8_t>* out) {
  const size_t n = strnlen(text.data(), text.size());
  out->insert(out->end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
  out->push_back(0);
}

}  // namespace

int ImageCountOf(const PayloadContent& content) {
  if (content.images.size() % kImageValues != 0) return -1;
  return static_cast<int>(content.images.size() / kImageValues);
}

void EncodeColor(uint32_t color, uint8_t bytes[3]) {
  bytes[0] = static_cast<uint8_t>(color >> 16);
  bytes[1] = static_cast<uint8_t>(color >> 8);
  bytes[2] = static_cast<uint8_t>(color);
}

bool EncodePayload(const PayloadContent& content, std::vector<uint8_t>* out) {
  const int count = ImageCountOf(content);
  if (count < 1 || count > kMaxImages) return false;
  AppendText(content.author, out);
  AppendText(content.url, out);
  AppendText(content.mail, out);

  uint8_t block[kHandBlockBytes] = {};
  block[0] = static_cast<uint8_t>(count);
  for (int h = 0; h < kHandCount; ++h) {
    uint8_t* hand = block + 1 + 5 * h;
    hand[0] = static_cast<uint8_t>(kPenWidth[h]);
    EncodeColor(content.hands[h].color, hand + 1);
    hand[4] = static_cast<uint8_t>(content.hands[h].length);
  }
  out->insert(out->end(), block, block + kHandBlockBytes);

  const size_t start = out->size();
  out->resize(start + content.images.size() * 4);
  uint8_t* p = out->data() + start;
  for (size_t i = 0; i < content.images.size(); ++i) {
    // The spare value that ends every block is always written as 0.
    const uint32_t v = i % kImageValues == kFacePixels ? 0 : content.images[i];
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
    p += 4;
  }
  return true;
}

}  // namespace tavimore
