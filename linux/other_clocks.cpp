#include "linux/other_clocks.h"

#include <gdk/gdkx.h>
#include <X11/Xutil.h>

#include <cstring>

namespace tavimore {

// Known by their class, the program's name, as every tavimore-clock's window has it.
std::vector<ScreenRect> OtherClocks(GdkScreen* screen) {
  std::vector<ScreenRect> rects;
  GdkDisplay* display = gdk_screen_get_display(screen);
  if (!GDK_IS_X11_DISPLAY(display)) return rects;
  GList* stack = gdk_screen_get_window_stack(screen);
  for (GList* item = stack; item; item = item->next) {
    GdkWindow* window = GDK_WINDOW(item->data);
    XClassHint hint{};
    if (XGetClassHint(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(window), &hint)) {
      GdkRectangle r;
      // GDK knows nothing of a foreign window's state: the manager lists the shown ones.
      if (hint.res_name && std::strcmp(hint.res_name, g_get_prgname()) == 0) {
        gdk_window_get_frame_extents(window, &r);
        rects.push_back(ScreenRect{r.x, r.y, r.x + r.width, r.y + r.height});
      }
      if (hint.res_name) XFree(hint.res_name);
      if (hint.res_class) XFree(hint.res_class);
    }
    g_object_unref(window);
  }
  g_list_free(stack);
  return rects;
}

}  // namespace tavimore
