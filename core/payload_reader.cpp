#include "core/payload_reader.h"

namespace tavimore {
namespace {

// The payload as the clock holds it: the file's tail and one zero byte of its own.
struct Buffer {
  const uint8_t* data;
  size_t size;  // bytes from the file; index `size` is the reader's zero byte

  size_t length() const { return size + 1; }
  uint8_t at(size_t i) const { return i < size ? data[i] : 0; }
};

uint32_t ColorAt(const Buffer& b, size_t p) {
  // Stored blue, green, red: the colour value's low three bytes, most significant first.
  return static_cast<uint32_t>(b.at(p)) << 16 | static_cast<uint32_t>(b.at(p + 1)) << 8 |
         b.at(p + 2);
}

}  // namespace

uint32_t FieldLength(const uint8_t* data, size_t size, size_t start) {
  size_t i = start;
  while (i < size && data[i] != 0) ++i;
  return static_cast<uint32_t>(i - start);
}

PayloadError DecodePayload(const uint8_t* payload, size_t size, DecodedPayload* out) {
  const Buffer b{payload, size};
  size_t p = 0;
  TextField* fields[3] = {&out->author, &out->url, &out->mail};
  for (TextField* field : fields) {
    if (p >= b.length()) return PayloadError::kTextPastEnd;
    const uint32_t n = FieldLength(payload, size, p);
    *field = TextField{static_cast<uint32_t>(p), n};
    p += n + 1;
  }
  if (p + kHandBlockBytes > b.length()) return PayloadError::kHandBlockCut;
  out->imageCount = b.at(p);
  for (int h = 0; h < kHandCount; ++h) {
    const size_t q = p + 1 + 5 * h;  // q is the unused width byte
    out->hands[h] = Hand{ColorAt(b, q + 1), b.at(q + 4)};
  }
  p += kHandBlockBytes;
  if (out->imageCount == 0) return PayloadError::kNoImages;
  // p <= size + 1 and the count is at most 255, so this cannot overflow.
  if (p + out->imageCount * kImageBlockBytes > b.length()) return PayloadError::kImagesCut;
  out->imagesOffset = static_cast<uint32_t>(p);
  return PayloadError::kNone;
}

void ReadFaceImage(const uint8_t* payload, size_t size, uint32_t imagesOffset, int index,
                   uint32_t* pixels) {
  const Buffer b{payload, size};
  const size_t begin = imagesOffset + static_cast<size_t>(index) * kImageBlockBytes;
  for (int j = 0; j < kImageValues; ++j) {
    const size_t p = begin + 4 * static_cast<size_t>(j);
    pixels[j] = static_cast<uint32_t>(b.at(p)) | static_cast<uint32_t>(b.at(p + 1)) << 8 |
                static_cast<uint32_t>(b.at(p + 2)) << 16 | static_cast<uint32_t>(b.at(p + 3)) << 24;
  }
}

const char* PayloadErrorText(PayloadError error) {
  switch (error) {
    case PayloadError::kNone: return "no error";
    case PayloadError::kTextPastEnd: return "a text field runs past the end of the file";
    case PayloadError::kHandBlockCut: return "the hand block is cut off";
    case PayloadError::kNoImages: return "the image count is 0";
    case PayloadError::kImagesCut: return "the file holds fewer face images than its count";
  }
  return "unknown error";
}

}  // namespace tavimore
