#include "core/full_screen_rule.h"

namespace tavimore {

bool CoversMonitor(const ScreenRect& client, bool maximizedWithCaption, const ScreenRect& monitor) {
  return !maximizedWithCaption && client.left <= monitor.left && client.top <= monitor.top &&
         client.right >= monitor.right && client.bottom >= monitor.bottom;
}

}  // namespace tavimore
