// BuildClock: F1 and the button "F1:作成". Writes "oriclock.exe" beside the editor: the
// chosen definition's bytes brought to 55000, then the author's texts, the hands and the
// face images. The texts are stored in the settings file first, whatever follows. The new
// file replaces an old one only when it is complete; if it cannot be written, the user is
// told why and the old file stays as it was.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/clock_builder.h"
// windows.h names its own ReplaceFile (as ReplaceFileW); the builder's is meant here.
#undef ReplaceFile
#include "core/file_replace.h"
#include "editor/frm_edit.h"
#include "core/cp932.h"
#include "core/payload_writer.h"
#include "platform/long_path.h"
#include "platform/message_box.h"

namespace tavimore {
namespace {

constexpr wchar_t kOutputName[] = L"oriclock.exe";

// A clock reads its texts as code page 932 on every system, so they are written that way
// whatever the system's own code page.
std::string ClockText(const std::wstring& text) {
  return Cp932FromUtf16(std::u16string(text.begin(), text.end()));
}

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

// An empty or unreadable definition cannot make a clock any more than a missing one.
bool ReadDefinitionFile(const std::wstring& path, std::vector<uint8_t>* bytes) {
  std::string error;
  try {
    return ReadDefinition(std::filesystem::path(ExtendedLengthPath(path)), bytes, &error);
  } catch (const std::exception&) {
    return false;
  }
}

PayloadContent ContentOf(const FrmEdit& form) {
  PayloadContent content;
  content.author = ClockText(form.settings->userName);
  content.url = ClockText(form.settings->userUrl);
  content.mail = ClockText(form.settings->userMail);
  for (int hand = 0; hand < kHandControls; ++hand)
    content.hands[hand] = Hand{form.handColor[hand], HandLength(form, hand)};
  // Without an accepted picture the clock gets one face: what the preview shows.
  content.images = form.strip.empty() ? form.preview : form.strip;
  return content;
}

bool WriteOutput(const std::wstring& path, const std::vector<uint8_t>& bytes,
                 std::string* error) {
  try {
    return ReplaceFile(std::filesystem::path(ExtendedLengthPath(path)), bytes, error);
  } catch (const std::exception& e) {
    *error = e.what();
    return false;
  }
}

// The likely cause of a failed write in the user's words, where it can be told; the
// builder's own reason follows it.
std::wstring FailureHint(const std::wstring& folder, const std::wstring& output, size_t bytes) {
  const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(output).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return L"同じ名前のフォルダーがあります。\n";
  ULARGE_INTEGER available;
  if (GetDiskFreeSpaceExW(ExtendedLengthPath(folder).c_str(), &available, nullptr, nullptr) &&
      available.QuadPart < bytes)
    return L"ディスクの空き容量が足りません。\n";
  return std::wstring();
}

}  // namespace

void BuildClock(FrmEdit& form) {
  const LRESULT selected = SendMessageW(form.CMB, CB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<size_t>(selected) >= form.definitionFiles.size()) return;
  const std::wstring definitionName = form.definitionFiles[static_cast<size_t>(selected)];

  form.settings->userName = TextOf(form.FLD[0]);
  form.settings->userUrl = TextOf(form.FLD[1]);
  form.settings->userMail = TextOf(form.FLD[2]);
  SaveSettings(*form.settings);

  std::vector<uint8_t> definition;
  if (!ReadDefinitionFile(form.folder + definitionName, &definition)) {
    ShowStop(form.window, L"ファイル構成が正しくありません。", L"終了します");
    CloseFrmEdit(form);
    return;
  }

  const std::wstring output = form.folder + kOutputName;
  const bool replacing =
      GetFileAttributesW(ExtendedLengthPath(output).c_str()) != INVALID_FILE_ATTRIBUTES;
  if (replacing &&
      !AskYesNo(form.window, L"ファイルを上書きしますか？<oriclock.exe>", L"上書き確認"))
    return;

  std::vector<uint8_t> clock;
  std::string error;
  bool written = false;
  if (!BuildClockBytes(definition, ContentOf(form), &clock))
    error = "the face images do not make a clock (1 to 255 are needed)";
  else
    written = WriteOutput(output, clock, &error);
  if (!written) {
    std::wstring text = L"「oriclock.exe」を書き込めませんでした。";
    if (replacing) text += L"\n前の「oriclock.exe」はそのまま残っています。";
    text += L"\n\n" + FailureHint(form.folder, output, clock.size()) + WideFromUtf8(error);
    ShowStop(form.window, text.c_str(), L"書き込みエラー");
  }
  // The preview ends on the picture's first face, as after choosing it.
  ShowPicture(form);
}

}  // namespace tavimore
