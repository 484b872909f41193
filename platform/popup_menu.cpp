#include "platform/popup_menu.h"

#include "platform/handle_owners.h"

namespace tavimore {
namespace {

// Menu command ids are the item's position plus one: 0 is what the menu returns when
// nothing was chosen.
int CommandOf(int position) { return position + 1; }

}  // namespace

int ShowPopupMenu(HWND owner, const MenuItem* items, int count, int checked) {
  const MenuHandle menu(CreatePopupMenu());
  if (!menu) return -1;
  for (int i = 0; i < count; ++i) {
    const wchar_t* caption = items[i].caption;
    if (caption[0] == L'-' && caption[1] == 0)
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu.get(), MF_STRING | (items[i].index == checked ? MF_CHECKED : 0),
                  CommandOf(i), caption);
  }
  POINT at;
  GetCursorPos(&at);
  // Without being the foreground window, the menu would not close when the user clicks
  // elsewhere; the posted message lets it close properly afterwards.
  SetForegroundWindow(owner);
  const int command = static_cast<int>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  for (int i = 0; i < count; ++i)
    if (command == CommandOf(i)) return items[i].index;
  return -1;
}

}  // namespace tavimore
