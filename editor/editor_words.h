// The editor's messages (core/editor_texts.h) as the wide literals the window calls take.
#pragma once

#include "core/editor_texts.h"

namespace tavimore {

#define TAVIMORE_EDITOR_WIDE_TEXT(id, key, text) L"" text,
inline constexpr const wchar_t* kEditorWords[] = {TAVIMORE_EDITOR_TEXTS(TAVIMORE_EDITOR_WIDE_TEXT)};
#undef TAVIMORE_EDITOR_WIDE_TEXT

inline const wchar_t* Words(EditorText id) { return kEditorWords[id]; }

}  // namespace tavimore
