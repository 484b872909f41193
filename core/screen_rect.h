// Rectangles and points of the screen, as the window systems give them: pixels of the
// virtual desktop, y downwards; a rectangle covers left and top up to, not including,
// right and bottom.
#pragma once

namespace tavimore {

struct ScreenRect {
  int left, top, right, bottom;
};

struct ScreenPoint {
  int x, y;
};

struct Monitor {
  ScreenRect area;  // the whole monitor
  ScreenRect work;  // what is left beside the taskbar and other docked bars
  bool primary;
};

}  // namespace tavimore
