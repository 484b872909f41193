#include "platform/ui_font.h"

#include <cwchar>

#include "platform/handle_owners.h"
#include "platform/window_dpi.h"

namespace tavimore {
namespace {

// Japanese user-interface faces, newest first: Windows 10 and later have the first, Vista
// and later the second, every Japanese-capable Windows the third.
constexpr const wchar_t* kJapaneseFaces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"};

// The message font at `dpi`: the system's figure for that DPI where it gives one (Windows 10
// 1607 and later); before, its figures are for its own DPI, so the height is scaled from it.
LOGFONTW MessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const auto forDpi = NewerUserFunction<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>(
      "SystemParametersInfoForDpi");
  if (forDpi &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
    return metrics.lfMessageFont;
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font = metrics.lfMessageFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = MulDiv(font.lfHeight, dpi, WindowDpi(nullptr));
  return font;
}

// Whether `font` itself (not a linked fallback font) has a glyph for every character.
bool HasGlyphs(HFONT font, const wchar_t* sample) {
  const MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return false;
  const SelectedObject selected(dc.get(), font);
  if (!selected) return false;
  const int length = static_cast<int>(wcslen(sample));
  for (int i = 0; i < length; ++i) {
    WORD glyph = 0xFFFF;
    if (GetGlyphIndicesW(dc.get(), sample + i, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != 1 ||
        glyph == 0xFFFF)
      return false;
  }
  return true;
}

HFONT CreateIfComplete(const LOGFONTW& description, const wchar_t* sample) {
  GdiObject<HFONT> font(CreateFontIndirectW(&description));
  return font && HasGlyphs(font.get(), sample) ? font.release() : nullptr;
}

}  // namespace

HFONT CreateUiFont(const wchar_t* sample, int dpi) {
  LOGFONTW description = MessageFont(dpi);
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
