#include "platform/popup_menu.h"

#include "platform/handle_owners.h"

namespace tavimore {
namespace {

// Menu command ids are the item's position plus one: 0 is what the menu returns when
// nothing was chosen.
int CommandOf(int position) { return position + 1; }

bool Among(int index, const int* list, int count) {
  for (int i = 0; i < count; ++i)
    if (list[i] == index) return true;
  return false;
}

}  // namespace

int ShowPopupMenu(HWND owner, const wchar_t* captions, const MenuItem* items, int count,
                  const int* checked, int checkedCount) {
  const MenuHandle menu(CreatePopupMenu());
  if (!menu || count > kMaxMenuItems) return -1;
  // The sub-menu each item opens, null for most; DestroyMenu takes them with the menu.
  HMENU opens[kMaxMenuItems];
  const wchar_t* caption = captions;
  for (int i = 0; i < count; ++i, caption += lstrlenW(caption) + 1) {
    const MenuItem& item = items[i];
    HMENU into = menu.get();
    for (int j = 0; j < i; ++j)
      if (items[j].index == item.parent) into = opens[j];
    opens[i] = nullptr;
    for (int k = i + 1; k < count; ++k)
      if (!opens[i] && items[k].parent == item.index) opens[i] = CreatePopupMenu();
    const bool mark = Among(item.index, checked, checkedCount);
    if (caption[0] == L'-' && caption[1] == 0)
      AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
    else if (opens[i])
      AppendMenuW(into, MF_POPUP, reinterpret_cast<UINT_PTR>(opens[i]), caption);
    else
      AppendMenuW(into, mark && item.parent < 0 ? MF_CHECKED : 0, CommandOf(i), caption);
    if (mark && item.parent >= 0)
      CheckMenuRadioItem(into, CommandOf(i), CommandOf(i), CommandOf(i), MF_BYCOMMAND);
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
