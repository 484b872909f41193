#include "core/clock_builder.h"

namespace tavimore {

bool BuildClockBytes(const std::vector<uint8_t>& definition, const PayloadContent& content,
                     std::vector<uint8_t>* out) {
  std::vector<uint8_t> file(definition.begin(),
                            definition.size() > kPayloadOffset
                                ? definition.begin() + kPayloadOffset
                                : definition.end());
  file.resize(kPayloadOffset, 0);
  if (!EncodePayload(content, &file)) return false;
  out->swap(file);
  return true;
}

}  // namespace tavimore
