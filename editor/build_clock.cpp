#include "editor/build_clock.h"

#include <windows.h>

#include "core/clock_builder.h"
#include "core/cp932.h"
#include "core/payload_writer.h"
#include "platform/handle_owners.h"
#include "platform/long_path.h"
#include "platform/single_instance.h"
#include "platform/win32_read_whole_file.h"

namespace tavimore {
namespace {

// A clock reads its texts as code page 932 on every system, so they are written that way
// whatever the system's own code page.
std::string ClockText(const std::wstring& text) {
  return Cp932FromUtf16(std::u16string(text.begin(), text.end()));
}

}  // namespace

BuildError BuildClock(const ClockInputs& inputs, std::vector<uint8_t>* clock) {
  std::vector<uint8_t> definition;
  // An empty or unreadable definition cannot make a clock any more than a missing one.
  if (!ReadWholeFile(ExtendedLengthPath(inputs.definitionPath).c_str(), &definition) ||
      definition.empty())
    return BuildError::kNoDefinition;
  PayloadContent content;
  content.author = ClockText(inputs.author);
  content.url = ClockText(inputs.url);
  content.mail = ClockText(inputs.mail);
  for (int hand = 0; hand < kHandCount; ++hand) content.hands[hand] = inputs.hands[hand];
  content.images = *inputs.images;
  return BuildClockBytes(definition, content, clock) ? BuildError::kNone : BuildError::kNoFaces;
}

WriteTrouble TroubleWriting(const std::wstring& folder, const std::wstring& output, size_t bytes) {
  const std::wstring extended = ExtendedLengthPath(output);
  const DWORD attributes = GetFileAttributesW(extended.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return WriteTrouble::kFolderInTheWay;
  ULARGE_INTEGER available;
  if (GetDiskFreeSpaceExW(ExtendedLengthPath(folder).c_str(), &available, nullptr, nullptr) &&
      available.QuadPart < bytes)
    return WriteTrouble::kDiskFull;
  if (IsInstanceRunning(output.c_str())) return WriteTrouble::kClockRunning;
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // Opening the old file for writing tells a file in use from one we may not change.
    const FileHandle file(CreateFileW(extended.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && GetLastError() == ERROR_SHARING_VIOLATION) return WriteTrouble::kFileInUse;
  }
  return WriteTrouble::kOther;
}

}  // namespace tavimore
