#include "editor/select_image.h"

#include <string>
#include <vector>

#include "core/payload_format.h"
#include "core/picture_strip.h"
#include "decode/picture_decode.h"
#include "editor/editor_words.h"
#include "platform/common_dialogs.h"
#include "platform/long_path.h"
#include "platform/message_box.h"
#include "platform/win32_read_whole_file.h"

namespace tavimore {
namespace {

// Reads and decodes the file as the command line does (Windows' decoders for JPEG, GIF and
// PNG, our own for BMP), so both cut the same face images from a lossless picture. A file
// that cannot be read counts as no picture.
StripError ReadStrip(const std::wstring& path, PictureStrip* strip) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ExtendedLengthPath(path).c_str(), &bytes)) return StripError::kNotAPicture;
  return DecodePictureStrip(bytes.data(), bytes.size(), strip);
}

}  // namespace

bool SelectImage(HWND owner, std::vector<uint32_t>* images) {
  constexpr wchar_t kTitle[] = L"画像を選択";
  // Description and pattern, each ended by a zero, and the zero that ends the list.
  constexpr wchar_t kFilter[] = L"画像(*.bmp,*.jpg,*.gif)\0*.bmp;*.jpg;*.gif\0";
  OpenFileRequest request;
  request.owner = owner;
  request.title = kTitle;
  request.filter = kFilter;
  const OpenFileAnswer answer = ShowOpenFileDialog(request);
  if (answer.outcome == DialogOutcome::kCancelled) return false;
  if (answer.outcome == DialogOutcome::kFailed) {
    // Never a silent cancel: the user chose something the dialog could not hand over.
    wchar_t text[128];  // the message and any 32-bit number, as wsprintf writes it
    wsprintfW(text, Words(kNoDialog), answer.error);
    ShowStopMessage(owner, text, kTitle);
    return false;
  }
  PictureStrip strip;
  const StripError error = ReadStrip(answer.path, &strip);
  if (error == StripError::kNone) {
    *images = std::move(strip.images);
    return true;
  }
  const EditorMessage message = PictureMessage(error);
  ShowInformationMessage(owner, Words(message.text), Words(message.title));
  images->clear();  // nothing of a refused picture is kept
  return true;
}

}  // namespace tavimore
