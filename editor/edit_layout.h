// The controls of the editor window, in tab order, with their places in client pixels (the
// window's design resolution of 15 twips per pixel). Creating them in this order makes it
// their tab order, since the dialog keys walk the child windows in creation order (labels,
// which never take the focus, are moved under the other controls afterwards).
#pragma once

namespace tavimore {

enum class ControlKind {
  kHeading,    // LBL: centred text in a sunken one-pixel border
  kCaption,    // LBL: plain text, no border
  kField,      // FLD: single-line text field
  kButton,     // BTN, CBTN
  kPicture,    // Pic, AREA
  kReadout,    // DSP: right-aligned text in a sunken one-pixel border
  kScrollBar,  // LongLine
  kSwatch,     // COL: flat box of the hand colour
  kCombo,      // CMB: drop-down list
};

// Which control of a kind: the element of its control array.
enum class ControlName { LBL, FLD, BTN, CBTN, Pic, AREA, DSP, LongLine, COL, CMB };

struct ControlPlace {
  ControlName name;
  int index;
  ControlKind kind;
  const wchar_t* caption;  // null where the text comes from elsewhere
  int x, y, width, height;
};

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 366;

constexpr ControlPlace kEditLayout[] = {
    {ControlName::LBL, 0, ControlKind::kHeading, L"お名前", 8, 17, 89, 17},
    {ControlName::LBL, 1, ControlKind::kHeading, L"ＵＲＬ", 8, 49, 89, 17},
    {ControlName::LBL, 2, ControlKind::kHeading, L"Eメール", 8, 81, 89, 17},
    {ControlName::FLD, 0, ControlKind::kField, nullptr, 104, 16, 177, 18},
    {ControlName::FLD, 1, ControlKind::kField, nullptr, 104, 48, 313, 18},
    {ControlName::FLD, 2, ControlKind::kField, nullptr, 104, 80, 177, 18},
    {ControlName::BTN, 0, ControlKind::kButton, L"F1:作成", 8, 336, 65, 25},
    {ControlName::BTN, 1, ControlKind::kButton, L"F12:閉じる", 360, 336, 65, 25},
    {ControlName::Pic, 0, ControlKind::kPicture, nullptr, 104, 112, 82, 82},
    {ControlName::LBL, 3, ControlKind::kHeading, L"背景", 8, 112, 89, 17},
    {ControlName::AREA, 0, ControlKind::kPicture, nullptr, 336, 112, 82, 82},
    {ControlName::CBTN, 0, ControlKind::kButton, L"画像選択", 184, 112, 73, 17},
    {ControlName::LBL, 4, ControlKind::kHeading, L"針", 8, 208, 89, 17},
    {ControlName::LBL, 5, ControlKind::kCaption, L"短針", 104, 236, 33, 17},
    {ControlName::LBL, 6, ControlKind::kCaption, L"長針", 104, 260, 33, 17},
    {ControlName::LBL, 7, ControlKind::kCaption, L"秒針", 104, 284, 33, 17},
    {ControlName::DSP, 0, ControlKind::kReadout, L"100%", 136, 232, 33, 17},
    {ControlName::DSP, 1, ControlKind::kReadout, L"100%", 136, 256, 33, 17},
    {ControlName::DSP, 2, ControlKind::kReadout, L"100%", 136, 280, 33, 17},
    {ControlName::LongLine, 0, ControlKind::kScrollBar, nullptr, 168, 232, 97, 17},
    {ControlName::LongLine, 1, ControlKind::kScrollBar, nullptr, 168, 256, 97, 17},
    {ControlName::LongLine, 2, ControlKind::kScrollBar, nullptr, 168, 280, 97, 17},
    {ControlName::LBL, 8, ControlKind::kCaption, L"長さ", 136, 208, 33, 17},
    {ControlName::LBL, 9, ControlKind::kCaption, L"色", 280, 208, 33, 17},
    {ControlName::COL, 0, ControlKind::kSwatch, nullptr, 272, 232, 41, 17},
    {ControlName::COL, 1, ControlKind::kSwatch, nullptr, 272, 256, 41, 17},
    {ControlName::COL, 2, ControlKind::kSwatch, nullptr, 272, 280, 41, 17},
    {ControlName::LBL, 10, ControlKind::kHeading, L"時計の形", 8, 312, 89, 17},
    {ControlName::CMB, 0, ControlKind::kCombo, nullptr, 104, 310, 161, 20},
};

constexpr int kLayoutCount = static_cast<int>(sizeof kEditLayout / sizeof kEditLayout[0]);

// Hand colours as the window shows them first, 0x00BBGGRR: blues of rising brightness
// (red 0, green 0, blue 64, 128, 192) for the hour, minute and second hand.
constexpr unsigned kInitialHandColor[3] = {0x400000, 0x800000, 0xC00000};
// Hand lengths in percent set at load, and the range the scroll bars offer.
constexpr int kInitialHandLength[3] = {75, 80, 90};
constexpr int kShortestHand = 1;
constexpr int kLongestHand = 100;

}  // namespace tavimore
