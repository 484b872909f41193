// A pop-up menu shown at the pointer, built for one showing from a table of items, with
// sub-menus one level deep.
#pragma once

#include <windows.h>

namespace tavimore {

// An item of the table, whose captions come apart (see ShowPopupMenu): small numbers, so
// that a clock's table is a few bytes with no addresses in it to relocate.
struct MenuItem {
  signed char index;   // what ShowPopupMenu returns when the item is chosen
  signed char parent;  // the index of the item whose sub-menu holds this one, which comes
                       // before it in the table; -1: the menu itself
};

// At most this many items: the sub-menus are kept on the stack while the menu is built.
constexpr int kMaxMenuItems = 20;

// Shows the items at the pointer, their captions one after another in `captions`, each
// ended by its zero ("-" for a separator line), those whose index is among the `checkedCount` in
// `checked` with a check mark (a sub-menu's as a radio bullet: each sub-menu is a group
// of which one is chosen), and waits until the menu closes. Returns the chosen item's
// index, or -1 when none was chosen.
int ShowPopupMenu(HWND owner, const wchar_t* captions, const MenuItem* items, int count,
                  const int* checked, int checkedCount);

}  // namespace tavimore
