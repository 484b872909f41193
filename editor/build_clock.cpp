// BuildClock: F1 and the button "F1:作成". Writes "oriclock.exe" beside the editor: the
// chosen definition's bytes brought to 55000, then the author's texts, the hands and the
// face images. The texts are stored in the settings file first, whatever follows. The new
// file replaces an old one only when it is complete; if it cannot be written, the user is
// told why and the old file stays as it was. A clock running from that file is ended first
// when the user agrees, since Windows does not let a running program's file be replaced.
#include <windows.h>

#include <string>
#include <vector>

#include "core/clock_builder.h"
#include "editor/editor_window.h"
#include "editor/editor_words.h"
#include "core/cp932.h"
#include "core/payload_writer.h"
#include "platform/handle_owners.h"
#include "platform/long_path.h"
#include "platform/message_box.h"
#include "platform/read_whole_file.h"
#include "platform/running_clock.h"
#include "platform/single_instance.h"
#include "platform/write_file_atomically.h"

namespace tavimore {
namespace {

constexpr wchar_t kOutputName[] = L"oriclock.exe";

// A clock reads its texts as code page 932 on every system, so they are written that way
// whatever the system's own code page.
std::string ClockText(const std::wstring& text) {
  return Cp932FromUtf16(std::u16string(text.begin(), text.end()));
}

// An empty or unreadable definition cannot make a clock any more than a missing one.
bool ReadDefinitionFile(const std::wstring& path, std::vector<uint8_t>* bytes) {
  return ReadWholeFile(ExtendedLengthPath(path).c_str(), bytes) && !bytes->empty();
}

PayloadContent ContentOf(const EditorWindow& editor) {
  PayloadContent content;
  content.author = ClockText(editor.settings->userName);
  content.url = ClockText(editor.settings->userUrl);
  content.mail = ClockText(editor.settings->userMail);
  for (int hand = 0; hand < kHandCount; ++hand)
    content.hands[hand] = Hand{editor.handColor[hand], HandLength(editor, hand)};
  // Without an accepted picture the clock gets one face: what the preview shows.
  content.images = editor.strip.empty() ? editor.preview : editor.strip;
  return content;
}

// The likely cause of a failed write, where it can be told; its advice comes before the
// builder's own reason.
WriteTrouble TroubleOf(const std::wstring& folder, const std::wstring& output, size_t bytes) {
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

// The clock running from `output` must end before its file can be made again: true when
// it has ended, the user having agreed.
bool EndClockAtOutput(const EditorWindow& editor, const std::wstring& output) {
  if (!AskYesNo(editor.window, Words(kRunning), Words(kRunningTitle))) return false;
  if (EndRunningClock(output.c_str())) return true;
  ShowStopMessage(editor.window, Words(kNotEnded), Words(kNotEndedTitle));
  return false;
}

}  // namespace

void BuildClock(EditorWindow& editor) {
  const LRESULT selected = SendMessageW(editor.shapeList, CB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<size_t>(selected) >= editor.definitionFiles.size()) return;
  const std::wstring definitionName = editor.definitionFiles[static_cast<size_t>(selected)];

  editor.settings->userName = TextOf(editor.fields[kNameField]);
  editor.settings->userUrl = TextOf(editor.fields[kUrlField]);
  editor.settings->userMail = TextOf(editor.fields[kMailField]);
  SaveSettings(*editor.settings);

  std::vector<uint8_t> definition;
  if (!ReadDefinitionFile(editor.folder + definitionName, &definition)) {
    ShowStopMessage(editor.window, Words(kNoDefinition), Words(kNoDefinitionTitle));
    CloseEditorWindow(editor);
    return;
  }

  const std::wstring output = editor.folder + kOutputName;
  const bool replacing =
      GetFileAttributesW(ExtendedLengthPath(output).c_str()) != INVALID_FILE_ATTRIBUTES;
  // A running clock's question takes the place of the overwrite question: the answer Yes
  // replaces the file as well.
  if (IsInstanceRunning(output.c_str())) {
    if (!EndClockAtOutput(editor, output)) return;
  } else if (replacing &&
             !AskYesNo(editor.window, Words(kOverwrite), Words(kOverwriteTitle))) {
    return;
  }

  std::vector<uint8_t> clock;
  std::wstring error;
  bool written = false;
  if (!BuildClockBytes(definition, ContentOf(editor), &clock))
    error = L"the face images do not make a clock (1 to 255 are needed)";
  else
    written = WriteFileAtomically(ExtendedLengthPath(output), clock, &error);
  if (!written) {
    std::wstring text = Words(kNotWritten);
    if (replacing) text = text + L"\n" + Words(kOldKept);
    text += L"\n\n";
    if (!clock.empty())
      text = text + Words(WriteAdvice(TroubleOf(editor.folder, output, clock.size()))) + L"\n";
    text += error;
    ShowStopMessage(editor.window, text.c_str(), Words(kWriteTitle));
  }
  // The preview ends on the picture's first face, as after choosing it.
  ShowPicture(editor);
}

}  // namespace tavimore
