// The clock file F1 makes, as bytes from the editor's inputs: the chosen definition's bytes
// brought to 55000, then the author's texts, the hands and the face images. No window and
// no question here: the editor window asks, writes and tells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/editor_texts.h"
#include "core/hand_geometry.h"

namespace tavimore {

struct ClockInputs {
  std::wstring definitionPath;    // the chosen "*.prm"
  std::wstring author, url, mail;
  Hand hands[kHandCount];
  const std::vector<uint32_t>* images;  // face images, top square first
};

enum class BuildError {
  kNone,
  kNoDefinition,  // missing, unreadable or empty
  kNoFaces,       // not 1 to 255 face images
};

BuildError BuildClock(const ClockInputs& inputs, std::vector<uint8_t>* clock);

// Why `output` (beside `folder`) could not be written, as far as the system tells, for a
// clock of `bytes` bytes.
WriteTrouble TroubleWriting(const std::wstring& folder, const std::wstring& output, size_t bytes);

}  // namespace tavimore
