#include "editor/make_clock.h"

#include <cstdint>
#include <vector>

#include "editor/editor_words.h"
#include "platform/end_running_clock.h"
#include "platform/long_path.h"
#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/win32_write_file_atomically.h"

namespace tavimore {
namespace {

constexpr wchar_t kOutputName[] = L"oriclock.exe";

// The clock running from `output` must end before its file can be made again: true when
// it has ended, the user having agreed.
bool EndClockAtOutput(HWND owner, const std::wstring& output) {
  if (!AskYesNo(owner, Words(kRunning), Words(kRunningTitle))) return false;
  if (EndRunningClock(output.c_str())) return true;
  ShowStopMessage(owner, Words(kNotEnded), Words(kNotEndedTitle));
  return false;
}

}  // namespace

MakeOutcome MakeClockFile(HWND owner, const std::wstring& folder, const ClockInputs& inputs) {
  std::vector<uint8_t> clock;
  const BuildError built = BuildClock(inputs, &clock);
  if (built == BuildError::kNoDefinition) {
    ShowStopMessage(owner, Words(kNoDefinition), Words(kNoDefinitionTitle));
    return MakeOutcome::kNoDefinition;
  }

  const std::wstring output = folder + kOutputName;
  const bool replacing =
      GetFileAttributesW(ExtendedLengthPath(output).c_str()) != INVALID_FILE_ATTRIBUTES;
  // A running clock's question takes the place of the overwrite question: the answer Yes
  // replaces the file as well.
  if (IsInstanceRunning(output.c_str())) {
    if (!EndClockAtOutput(owner, output)) return MakeOutcome::kCancelled;
  } else if (replacing && !AskYesNo(owner, Words(kOverwrite), Words(kOverwriteTitle))) {
    return MakeOutcome::kCancelled;
  }

  std::wstring error = L"the face images do not make a clock (1 to 255 are needed)";
  if (built == BuildError::kNone && WriteFileAtomically(ExtendedLengthPath(output), clock, &error))
    return MakeOutcome::kWritten;
  std::wstring text = Words(kNotWritten);
  if (replacing) text = text + L"\n" + Words(kOldKept);
  text += L"\n\n";
  if (built == BuildError::kNone)
    text = text + Words(WriteAdvice(TroubleWriting(folder, output, clock.size()))) + L"\n";
  text += error;
  ShowStopMessage(owner, text.c_str(), Words(kWriteTitle));
  return MakeOutcome::kNotWritten;
}

}  // namespace tavimore
