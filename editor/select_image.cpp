// SelectImage: the button "画像選択". The user chooses a picture strip; one 80 pixels wide
// and a whole multiple of 80 pixels high (at most 255 squares) becomes AREA's picture and
// its top square the preview. Any other file is refused with a message, leaving AREA
// empty and the preview as it was.
#include <windows.h>

#include <string>
#include <vector>

#include "core/picture_strip.h"
#include "decode/picture_decode.h"
#include "editor/editor_window.h"
#include "editor/editor_words.h"
#include "core/payload_format.h"
#include "platform/common_dialogs.h"
#include "platform/long_path.h"
#include "platform/message_box.h"
#include "platform/read_whole_file.h"

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

// The image button (CBTN): the open-file dialog of clsDialog's FileName, then the strip.
void SelectImage(EditorWindow& editor) {
  constexpr wchar_t kTitle[] = L"画像を選択";
  // Description and pattern, each ended by a zero, and the zero that ends the list.
  constexpr wchar_t kFilter[] = L"画像(*.bmp,*.jpg,*.gif)\0*.bmp;*.jpg;*.gif\0";
  OpenFileRequest request;
  request.owner = editor.window;
  request.title = kTitle;
  request.filter = kFilter;
  const OpenFileAnswer answer = ShowOpenFileDialog(request);
  if (answer.outcome == DialogOutcome::kCancelled) return;
  if (answer.outcome == DialogOutcome::kFailed) {
    // Never a silent cancel: the user chose something the dialog could not hand over.
    wchar_t text[128];  // the message and any 32-bit number, as wsprintf writes it
    wsprintfW(text, Words(kNoDialog), answer.error);
    ShowStopMessage(editor.window, text, kTitle);
    return;
  }

  PictureStrip strip;
  const StripError error = ReadStrip(answer.path, &strip);
  if (error == StripError::kNone) {
    editor.strip = std::move(strip.images);
    editor.preview.assign(editor.strip.begin(), editor.strip.begin() + kImageValues);
    ShowPicture(editor);
    return;
  }
  const EditorMessage message = PictureMessage(error);
  ShowInformationMessage(editor.window, Words(message.text), Words(message.title));
  editor.strip.clear();
  ShowPicture(editor);
}

}  // namespace tavimore
