// The editor's messages and their titles, the same in the Windows editor and the web page,
// and which one each failure shows. As the clock's texts, they are plain literals in a
// list: the Windows editor expands it into wide literals (L"" followed by one of them),
// the page reads them as UTF-8 from the core by their keys, and keeps only its English
// translations.
#pragma once

#include "core/picture_strip.h"

namespace tavimore {

// TEXT(id, key, text): the id the programs use, the key the page knows it by, the text.
#define TAVIMORE_EDITOR_TEXTS(TEXT)                                                          \
  /* A picture refused: by its size, its number of faces, or because it is none. */         \
  TEXT(kSizeTitle, "sizeTitle", "サイズエラー")                                              \
  TEXT(kSizeMessage, "sizeMessage", "画像サイズは、横80px・縦80pxのみ倍数としてください。")  \
  TEXT(kFramesMessage, "framesMessage",                                                      \
       "画像のコマ数が多すぎます。\n縦は20400px（80px × 255コマ）までとしてください。")      \
  /* Pictures that together give more faces than a clock holds; %d is how many. */            \
  TEXT(kTooManyFaces, "tooManyFaces",                                                        \
       "画像のコマ数が %d コマあります。\n時計に入るのは 255 コマまでです。")                    \
  TEXT(kUnreadableTitle, "unreadableTitle", "画像エラー")                                    \
  /* Its size is unknown, so the message must not blame the size. */                         \
  TEXT(kUnreadableMessage, "unreadableMessage",                                              \
       "画像を読み込めませんでした。\nBMP・JPEG・GIF・PNG の画像を選んでください。")          \
  /* A clock file opened in the page. */                                                     \
  TEXT(kClockTitle, "clockTitle", "時計を開く")                                              \
  TEXT(kDamaged, "damaged", "時計ファイルが壊れているため、開けません。")                    \
  TEXT(kUnknownShape, "unknownShape", "この時計の形が分かりません。時計の形は今のままです。") \
  TEXT(kNotAClock, "notAClock", "時計ファイルではありません。")                              \
  /* Making the clock. */                                                                    \
  TEXT(kMakeTitle, "makeTitle", "作成できません")                                            \
  TEXT(kNoProgram, "noProgram", "時計のプログラムを読み込めませんでした。")                  \
  TEXT(kNoMemory, "noMemory", "メモリーが足りません。")                                      \
  TEXT(kNoDefinitionTitle, "noDefinitionTitle", "終了します")                                \
  TEXT(kNoDefinition, "noDefinition", "ファイル構成が正しくありません。")                    \
  TEXT(kOverwriteTitle, "overwriteTitle", "上書き確認")                                      \
  TEXT(kOverwrite, "overwrite", "ファイルを上書きしますか？<oriclock.exe>")                  \
  TEXT(kRunningTitle, "runningTitle", "起動中の時計")                                        \
  TEXT(kRunning, "running", "oriclock.exe は起動しています。終了して作り直しますか？")       \
  TEXT(kNotEndedTitle, "notEndedTitle", "時計を終了できません")                              \
  TEXT(kNotEnded, "notEnded",                                                                \
       "起動中の「oriclock.exe」を終了できませんでした。\n"                                  \
       "時計を右クリックして「終了」を選んでから、もう一度作成してください。")               \
  TEXT(kWriteTitle, "writeTitle", "書き込みエラー")                                          \
  TEXT(kNotWritten, "notWritten", "「oriclock.exe」を書き込めませんでした。")                \
  TEXT(kOldKept, "oldKept", "前の「oriclock.exe」はそのまま残っています。")                  \
  /* Why a write failed, where it can be told, and what to do. */                            \
  TEXT(kFolderInTheWay, "folderInTheWay", "同じ名前のフォルダーがあります。")                \
  TEXT(kDiskFull, "diskFull", "ディスクの空き容量が足りません。")                            \
  TEXT(kClockRunning, "clockRunning",                                                        \
       "「oriclock.exe」が起動しています。時計を終了してから、もう一度作成してください。")   \
  TEXT(kFileInUse, "fileInUse",                                                              \
       "ほかのプログラムが「oriclock.exe」を使っています。"                                  \
       "少し待ってから、もう一度作成してください。")                                         \
  TEXT(kMoveEditor, "moveEditor",                                                            \
       "書き込めるフォルダーに TavimoreEdit を移して、もう一度作成してください。")           \
  TEXT(kNoDialog, "noDialog", "ファイルを選択できませんでした（ダイアログのエラー %lu）。")

enum EditorText {
#define TAVIMORE_EDITOR_TEXT_ID(id, key, text) id,
  TAVIMORE_EDITOR_TEXTS(TAVIMORE_EDITOR_TEXT_ID)
#undef TAVIMORE_EDITOR_TEXT_ID
  kEditorTextCount
};

struct EditorMessage {
  EditorText title;
  EditorText text;
};

// The message a refused picture shows (never called with kNone).
constexpr EditorMessage PictureMessage(StripError error) {
  if (error == StripError::kNotAPicture) return {kUnreadableTitle, kUnreadableMessage};
  return {kSizeTitle, error == StripError::kTooManyFrames ? kFramesMessage : kSizeMessage};
}

// Why the clock file could not be written, as far as the editor can tell, most telling
// first: each has its advice (kMoveEditor when none of the others holds).
enum class WriteTrouble { kFolderInTheWay, kDiskFull, kClockRunning, kFileInUse, kOther };

constexpr EditorText WriteAdvice(WriteTrouble trouble) {
  switch (trouble) {
    case WriteTrouble::kFolderInTheWay:
      return kFolderInTheWay;
    case WriteTrouble::kDiskFull:
      return kDiskFull;
    case WriteTrouble::kClockRunning:
      return kClockRunning;
    case WriteTrouble::kFileInUse:
      return kFileInUse;
    case WriteTrouble::kOther:
      break;
  }
  return kMoveEditor;
}

}  // namespace tavimore
