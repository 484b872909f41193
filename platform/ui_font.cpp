#include "platform/ui_font.h"

#include <cwchar>

namespace tavimore {
namespace {

// Japanese user-interface faces, newest first: Windows 10 and later have the first, Vista
// and later the second, every Japanese-capable Windows the third.
constexpr const wchar_t* kJapaneseFaces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"};

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return metrics.lfMessageFont;
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

// Whether `font` itself (not a linked fallback font) has a glyph for every character.
bool HasGlyphs(HFONT font, const wchar_t* sample) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  HGDIOBJ previous = SelectObject(dc, font);
  const int length = static_cast<int>(wcslen(sample));
  bool all = true;
  for (int i = 0; i < length && all; ++i) {
    WORD glyph = 0xFFFF;
    all = GetGlyphIndicesW(dc, sample + i, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
          glyph != 0xFFFF;
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return all;
}

HFONT CreateIfComplete(const LOGFONTW& description, const wchar_t* sample) {
  HFONT font = CreateFontIndirectW(&description);
  if (font && HasGlyphs(font, sample)) return font;
  if (font) DeleteObject(font);
  return nullptr;
}

}  // namespace

HFONT CreateUiFont(const wchar_t* sample) {
  LOGFONTW description = MessageFont();
  if (HFONT font = CreateIfComplete(description, sample)) return font;
  for (const wchar_t* face : kJapaneseFaces) {
    LOGFONTW japanese = description;
    lstrcpynW(japanese.lfFaceName, face, LF_FACESIZE);
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    if (HFONT font = CreateIfComplete(japanese, sample)) return font;
  }
  return CreateFontIndirectW(&description);
}

}  // namespace tavimore
