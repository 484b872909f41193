// SelectImage: the button "画像選択". The user chooses a picture strip; one 80 pixels wide
// and a whole multiple of 80 pixels high (at most 255 squares) becomes AREA's picture and
// its top square the preview. Any other file is refused with a message, leaving AREA
// empty and the preview as it was.
#include <windows.h>

#include <string>
#include <vector>

#include "core/decimal_text.h"
#include "core/picture_strip.h"
#include "decode/picture_decode.h"
#include "editor/editor_window.h"
#include "core/payload_format.h"
#include "platform/common_dialogs.h"
#include "platform/long_path.h"
#include "platform/message_box.h"
#include "platform/read_whole_file.h"

namespace tavimore {
namespace {

constexpr wchar_t kSizeMessage[] = L"画像サイズは、横80px・縦80pxのみ倍数としてください。";
constexpr wchar_t kSizeTitle[] = L"サイズエラー";
constexpr wchar_t kFramesMessage[] =
    L"画像のコマ数が多すぎます。\n縦は20400px（80px × 255コマ）までとしてください。";
// A file that is no picture, or a damaged one: its size is unknown, so the message must
// not blame the size.
constexpr wchar_t kUnreadableMessage[] =
    L"画像を読み込めませんでした。\nBMP・JPEG・GIF・PNG の画像を選んでください。";
constexpr wchar_t kUnreadableTitle[] = L"画像エラー";

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
    const std::wstring text = L"ファイルを選択できませんでした（ダイアログのエラー " +
                              DecimalText(answer.error) + L"）。";
    ShowStopMessage(editor.window, text.c_str(), kTitle);
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
  if (error == StripError::kNotAPicture)
    ShowInformationMessage(editor.window, kUnreadableMessage, kUnreadableTitle);
  else
    ShowInformationMessage(editor.window,
                           error == StripError::kTooManyFrames ? kFramesMessage : kSizeMessage,
                           kSizeTitle);
  editor.strip.clear();
  ShowPicture(editor);
}

}  // namespace tavimore
