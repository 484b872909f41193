// The controls of the editor window, in tab order, with their places in client pixels at
// 96 DPI (the window's design resolution of 15 twips per pixel); at another scale every
// number is scaled alike (ScaledPlace), so the window keeps its proportions. Creating the
// controls in this order makes it their tab order, since the dialog keys walk the child
// windows in creation order (labels, which never take the focus, are moved under the other
// controls afterwards).
#pragma once

#include "core/clock_scale.h"
#include "core/payload_format.h"

namespace tavimore {

enum class ControlKind {
  kHeading,    // centred text in a sunken one-pixel border
  kCaption,    // plain text, no border
  kField,      // single-line text field
  kButton,     // push button
  kPicture,    // face strip view
  kReadout,    // right-aligned text in a sunken one-pixel border
  kScrollBar,  // horizontal scroll bar
  kSwatch,     // flat box of the hand colour
  kCombo,      // drop-down list
};

// Which member of the window a control is kept in; the window's original design called
// these control arrays by the names in the comments.
enum class ControlGroup {
  kLabel,          // LBL
  kField,          // FLD
  kButton,         // BTN
  kImageButton,    // CBTN
  kPreviewBox,     // Pic
  kStripBox,       // AREA
  kLengthReadout,  // DSP
  kLengthBar,      // LongLine
  kColorSwatch,    // COL
  kShapeList,      // CMB
};

// Positions within the groups of more than one control. The three hand groups (read-outs,
// bars, swatches) are indexed by HandIndex: hour, minute, second.
enum FieldIndex { kNameField, kUrlField, kMailField, kFieldCount };
enum ButtonIndex { kBuildButton, kCloseButton, kButtonCount };
constexpr int kLabelCount = 11;

struct ControlPlace {
  ControlGroup group;
  int index;
  ControlKind kind;
  const wchar_t* caption;  // null where the text comes from elsewhere
  int x, y, width, height;
};

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 366;

constexpr ControlPlace kEditorLayout[] = {
    {ControlGroup::kLabel, 0, ControlKind::kHeading, L"お名前", 8, 17, 89, 17},
    {ControlGroup::kLabel, 1, ControlKind::kHeading, L"ＵＲＬ", 8, 49, 89, 17},
    {ControlGroup::kLabel, 2, ControlKind::kHeading, L"Eメール", 8, 81, 89, 17},
    {ControlGroup::kField, kNameField, ControlKind::kField, nullptr, 104, 16, 177, 18},
    {ControlGroup::kField, kUrlField, ControlKind::kField, nullptr, 104, 48, 313, 18},
    {ControlGroup::kField, kMailField, ControlKind::kField, nullptr, 104, 80, 177, 18},
    {ControlGroup::kButton, kBuildButton, ControlKind::kButton, L"F1:作成", 8, 336, 65, 25},
    {ControlGroup::kButton, kCloseButton, ControlKind::kButton, L"F12:閉じる", 360, 336, 65, 25},
    {ControlGroup::kPreviewBox, 0, ControlKind::kPicture, nullptr, 104, 112, 82, 82},
    {ControlGroup::kLabel, 3, ControlKind::kHeading, L"背景", 8, 112, 89, 17},
    {ControlGroup::kStripBox, 0, ControlKind::kPicture, nullptr, 336, 112, 82, 82},
    {ControlGroup::kImageButton, 0, ControlKind::kButton, L"画像選択", 184, 112, 73, 17},
    {ControlGroup::kLabel, 4, ControlKind::kHeading, L"針", 8, 208, 89, 17},
    {ControlGroup::kLabel, 5, ControlKind::kCaption, L"短針", 104, 236, 33, 17},
    {ControlGroup::kLabel, 6, ControlKind::kCaption, L"長針", 104, 260, 33, 17},
    {ControlGroup::kLabel, 7, ControlKind::kCaption, L"秒針", 104, 284, 33, 17},
    {ControlGroup::kLengthReadout, kHour, ControlKind::kReadout, L"100%", 136, 232, 33, 17},
    {ControlGroup::kLengthReadout, kMinute, ControlKind::kReadout, L"100%", 136, 256, 33, 17},
    {ControlGroup::kLengthReadout, kSecond, ControlKind::kReadout, L"100%", 136, 280, 33, 17},
    {ControlGroup::kLengthBar, kHour, ControlKind::kScrollBar, nullptr, 168, 232, 97, 17},
    {ControlGroup::kLengthBar, kMinute, ControlKind::kScrollBar, nullptr, 168, 256, 97, 17},
    {ControlGroup::kLengthBar, kSecond, ControlKind::kScrollBar, nullptr, 168, 280, 97, 17},
    {ControlGroup::kLabel, 8, ControlKind::kCaption, L"長さ", 136, 208, 33, 17},
    {ControlGroup::kLabel, 9, ControlKind::kCaption, L"色", 280, 208, 33, 17},
    {ControlGroup::kColorSwatch, kHour, ControlKind::kSwatch, nullptr, 272, 232, 41, 17},
    {ControlGroup::kColorSwatch, kMinute, ControlKind::kSwatch, nullptr, 272, 256, 41, 17},
    {ControlGroup::kColorSwatch, kSecond, ControlKind::kSwatch, nullptr, 272, 280, 41, 17},
    {ControlGroup::kLabel, 10, ControlKind::kHeading, L"時計の形", 8, 312, 89, 17},
    {ControlGroup::kShapeList, 0, ControlKind::kCombo, nullptr, 104, 310, 161, 20},
};

constexpr int kLayoutCount = static_cast<int>(sizeof kEditorLayout / sizeof kEditorLayout[0]);

struct ControlRect {
  int x, y, width, height;
};

// A control's place in client pixels at `dpi`.
inline ControlRect ScaledPlace(const ControlPlace& p, int dpi) {
  return ControlRect{Scaled(p.x, dpi), Scaled(p.y, dpi), Scaled(p.width, dpi),
                     Scaled(p.height, dpi)};
}

}  // namespace tavimore
