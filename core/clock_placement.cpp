#include "core/clock_placement.h"

namespace tavimore {
namespace {

// A clock started for the first time, from the primary monitor's working corner.
constexpr int kFirstOffset = 100;

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// How far (x, y) lies outside `r`, squared; 0 inside.
long long DistanceSquared(const ScreenRect& r, int x, int y) {
  const long long dx = x < r.left ? r.left - x : x >= r.right ? x - (r.right - 1) : 0;
  const long long dy = y < r.top ? r.top - y : y >= r.bottom ? y - (r.bottom - 1) : 0;
  return dx * dx + dy * dy;
}

// `value` moved the least so that [value, value + size) lies within [low, high); a work
// area smaller than the clock keeps its low edge.
int Clamp(int value, int size, int low, int high) {
  if (value + size > high) value = high - size;
  if (value < low) value = low;
  return value;
}

}  // namespace

ScreenPoint MoveOntoMonitor(ScreenPoint wanted, int size, const Monitor* monitors, int count,
                            bool wholly) {
  const int cx = wanted.x + size / 2, cy = wanted.y + size / 2;
  int nearest = -1;
  long long best = 0;
  for (int i = 0; i < count; ++i) {
    const long long d = DistanceSquared(monitors[i].area, cx, cy);
    if (nearest < 0 || d < best) {
      nearest = i;
      best = d;
    }
  }
  if (nearest < 0 || (!wholly && best == 0)) return wanted;
  const ScreenRect& w = monitors[nearest].work;
  return ScreenPoint{Clamp(wanted.x, size, w.left, w.right), Clamp(wanted.y, size, w.top, w.bottom)};
}

ScreenPoint PlaceOnMonitors(ScreenPoint remembered, int size, const Monitor* monitors, int count) {
  return MoveOntoMonitor(remembered, size, monitors, count, false);
}

ScreenPoint FirstPlace(int size, const Monitor* monitors, int count, const ScreenRect* others,
                       int otherCount) {
  ScreenRect work{0, 0, kFarthestPlace, kFarthestPlace};
  for (int i = 0; i < count; ++i)
    if (monitors[i].primary || i == 0) work = monitors[i].work;
  ScreenPoint place{work.left + kFirstOffset, work.top + kFirstOffset};
  // Each step passes one clock, so this ends after at most otherCount steps.
  for (int step = 0; step <= otherCount; ++step) {
    const ScreenRect here{place.x, place.y, place.x + size, place.y + size};
    int blocking = -1;
    for (int i = 0; i < otherCount && blocking < 0; ++i)
      if (Overlap(here, others[i])) blocking = i;
    if (blocking < 0) break;
    place.x = others[blocking].right;
  }
  return ScreenPoint{Clamp(place.x, size, work.left, work.right),
                     Clamp(place.y, size, work.top, work.bottom)};
}

bool PlausiblePlace(ScreenPoint p) {
  return p.x >= -kFarthestPlace && p.x <= kFarthestPlace && p.y >= -kFarthestPlace && p.y <= kFarthestPlace;
}

}  // namespace tavimore
