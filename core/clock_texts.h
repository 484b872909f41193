// The clock's texts, the same in every front end: the menu, the version box, the message
// of a damaged clock file and the tooltip. They are macros of plain literals so that each
// front end takes them in its own text form: UTF-8 as they stand, or wide for the Windows
// clock, where L"" followed by one of them is a wide literal (the compiler reads the
// UTF-8 source and encodes it as UTF-16). The two with numbers are printf formats, which
// every front end's printf family (the window system's wsprintf included) reads alike.
#pragma once

namespace tavimore {

// The menu's items by the indexes the clock has always given them, in their order. Each
// front end expands ITEM(index, caption); the caption "-" is a separator line, which
// cannot be chosen. 大きさ and 透明度 open a sub-menu each, whose items are a radio group
// (TAVIMORE_SIZE_MENU, TAVIMORE_SEE_THROUGH_MENU, in core/desk_fit.h's step order);
// 位置を固定 and マウスが乗ったら薄く are checked while they are on.
enum ClockMenuIndex {
  kMenuHomePage = 0,
  kMenuMail = 1,
  kMenuSeparator = 90,
  kMenuVersion = 91,
  kMenuLogin = 92,  // starts the clock at login, or no longer; checked while it does
  kMenuSize = 93,
  kMenuSeeThrough = 94,
  kMenuFixed = 95,
  kMenuFade = 96,
  kMenuExit = 99,
  kMenuSizeStep = 100,        // plus the size step
  kMenuSeeThroughStep = 110,  // plus the see-through step
};
#define TAVIMORE_CLOCK_MENU(ITEM)       \
  ITEM(kMenuHomePage, "ホームページ")   \
  ITEM(kMenuMail, "メール")             \
  ITEM(kMenuSeparator, "-")             \
  ITEM(kMenuVersion, "バージョン")      \
  ITEM(kMenuLogin, "ログオン時に起動")  \
  ITEM(kMenuSize, "大きさ")             \
  ITEM(kMenuSeeThrough, "透明度")       \
  ITEM(kMenuFixed, "位置を固定")        \
  ITEM(kMenuFade, "マウスが乗ったら薄く") \
  ITEM(kMenuExit, "終了")
#define TAVIMORE_SIZE_MENU(ITEM)   \
  ITEM(kMenuSizeStep + 0, "100%")  \
  ITEM(kMenuSizeStep + 1, "125%")  \
  ITEM(kMenuSizeStep + 2, "150%")  \
  ITEM(kMenuSizeStep + 3, "200%")
#define TAVIMORE_SEE_THROUGH_MENU(ITEM)   \
  ITEM(kMenuSeeThroughStep + 0, "なし")   \
  ITEM(kMenuSeeThroughStep + 1, "25%")    \
  ITEM(kMenuSeeThroughStep + 2, "50%")    \
  ITEM(kMenuSeeThroughStep + 3, "75%")

// Shown, in a box titled with the clock's build, when its file's payload is damaged.
#define TAVIMORE_DAMAGED_CLOCK_MESSAGE "時計ファイルが壊れているため、起動できません。"

// Shown by the Windows clock, in a box titled with its build, when ログオン時に起動 cannot
// be set: the file's path, even in its short form, is longer than Windows starts at login.
#define TAVIMORE_LOGIN_PATH_TOO_LONG_MESSAGE "時計ファイルのパスが長すぎるため、ログオン時に起動できません。"

// The version box's text as a printf format of the major, minor and revision numbers:
// "- Original Clock -", an empty line, then "ver1.0.0", the lines ended by `lineBreak` (a
// literal: "\r\n" on Windows, "\n" elsewhere). Every printf family formats it alike, the
// window system's wsprintf included, so the clock carries no formatter for it.
#define TAVIMORE_VERSION_FORMAT(lineBreak) "- Original Clock -" lineBreak lineBreak "ver%d.%d.%d"
constexpr int kVersionTextRoom = 64;  // the text of any three 32-bit numbers, and its zero

// The tooltip, "author yyyy/mm/dd(ddd)", as a printf format of the author (text), the
// year, month and day of the local time (LocalTime's, always Gregorian) and the weekday's
// short name (text) in the user's language, which the front end asks its system for. Only
// the weekday follows the locale: a user's own calendar (an era, a Buddhist year) never
// changes the year shown.
#define TAVIMORE_TOOLTIP_FORMAT "%s %04d/%02d/%02d(%s)"

}  // namespace tavimore
