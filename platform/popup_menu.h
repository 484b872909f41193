// A pop-up menu shown at the pointer, built for one showing from a table of items.
#pragma once

#include <windows.h>

namespace tavimore {

struct MenuItem {
  int index;                // what ShowPopupMenu returns when the item is chosen
  const wchar_t* caption;   // "-" for a separator line
};

// Shows the items at the pointer, the one whose index is `checked` with a check mark (-1:
// none), and waits until the menu closes. Returns the chosen item's index, or -1 when
// none was chosen.
int ShowPopupMenu(HWND owner, const MenuItem* items, int count, int checked);

}  // namespace tavimore
