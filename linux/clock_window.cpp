#include "linux/clock_window.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/clock_placement.h"
#include "core/clock_texts.h"
#include "core/clock_scale.h"
#include "core/desk_fit.h"
#include "linux/autostart_entry.h"
#include "linux/clock_places.h"
#include "linux/other_clocks.h"

#if !defined(TAVIMORE_VERSION_MAJOR) || !defined(TAVIMORE_VERSION_MINOR) || \
    !defined(TAVIMORE_VERSION_REVISION)
#error "compile with TAVIMORE_VERSION_MAJOR, _MINOR and _REVISION, the program's version"
#endif

namespace tavimore {
namespace {

// The window manager moves the window, and tells the clock only where it went: a drag is
// taken as ended once the window has not moved for this long and the button that began it
// is up. A rest on the way, the button held, is not the end.
constexpr guint kDragEndMilliseconds = 400;

// Shift with an arrow key moves the clock this many pixels, the arrow alone one: a few
// presses cross a desk, and one still lands on the pixel.
constexpr int kShiftKeyStep = 10;

// The menu's items and its two radio groups as core/clock_texts.h gives them.
struct Item {
  int index;
  const char* caption;
};
#define TAVIMORE_MENU_ENTRY(index, caption) {index, caption},
constexpr Item kMenuItems[] = {TAVIMORE_CLOCK_MENU(TAVIMORE_MENU_ENTRY)};
constexpr Item kSizeItems[kSizeSteps] = {TAVIMORE_SIZE_MENU(TAVIMORE_MENU_ENTRY)};
constexpr Item kSeeThroughItems[kSeeThroughSteps] = {TAVIMORE_SEE_THROUGH_MENU(TAVIMORE_MENU_ENTRY)};
#undef TAVIMORE_MENU_ENTRY

struct ClockWindow {
  NativeClock* clock;
  GtkWidget* window;
  GtkWidget* tooltip;       // the tooltip's own window
  GtkWidget* tooltipLabel;
  // The window as NativeClock draws it at its scale (clock->dpi, the one place that holds
  // the scale), and the same pixels as RGB24 with the device scale that makes them `size`
  // logical pixels square.
  std::vector<uint32_t> pixels;
  cairo_surface_t* face;
  guint tickSource;
  GtkWidget* loginItem;     // the menu's ログオン時に起動, a check item
  GtkWidget* sizeItems[kSizeSteps];  // the radio items of 大きさ, and of 透明度
  GtkWidget* seeThroughItems[kSeeThroughSteps];
  GtkWidget* fixedItem;     // 位置を固定 and マウスが乗ったら薄く, check items
  GtkWidget* fadeItem;
  DeskFit fit;              // how the user has fitted the clock to the desk
  int size;                 // the window's logical size at that fit
  bool pointerOver;         // what a fading clock fades for
  ScreenPoint kept;         // where the clock was last kept
  guint keepSource;         // a pending keeping of a new place
  bool moved;               // a drag or a key has moved it since: only they make a place to keep
};

// The window's size in logical pixels at `fit`: 82 x 82 at 100 %.
int FitWindowSize(const DeskFit& fit) { return ScaledWindowSize(FitDpi(kBaseDpi, fit)); }

// The monitors as the display has them now.
std::vector<Monitor> ReadMonitors(GdkDisplay* display) {
  std::vector<Monitor> monitors;
  for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
    GdkMonitor* m = gdk_display_get_monitor(display, i);
    GdkRectangle area, work;
    gdk_monitor_get_geometry(m, &area);
    gdk_monitor_get_workarea(m, &work);
    monitors.push_back(Monitor{{area.x, area.y, area.x + area.width, area.y + area.height},
                               {work.x, work.y, work.x + work.width, work.y + work.height},
                               gdk_monitor_is_primary(m) != FALSE});
  }
  return monitors;
}

// The fit kept for the clock, and where it was left while that is on a screen; else a new
// clock's fit, and where it goes: beside the clocks already there.
ScreenPoint StartPlace(const NativeClock& clock, GdkScreen* screen, DeskFit* fit) {
  const std::vector<Monitor> monitors = ReadMonitors(gdk_screen_get_display(screen));
  const int count = static_cast<int>(monitors.size());
  ScreenPoint place;
  *fit = DeskFit{};
  if (ReadPlace(g_get_user_state_dir(), clock.file, &place, fit))
    return PlaceOnMonitors(place, FitWindowSize(*fit), monitors.data(), count);
  const std::vector<ScreenRect> others = OtherClocks(screen);
  return FirstPlace(FitWindowSize(*fit), monitors.data(), count, others.data(),
                    static_cast<int>(others.size()));
}

// `place` moved the least wholly onto its monitor, for a window of the clock's size.
ScreenPoint OnMonitor(ClockWindow* w, ScreenPoint place) {
  const std::vector<Monitor> monitors = ReadMonitors(gtk_widget_get_display(w->window));
  return KeepOnMonitor(place, w->size, monitors.data(), static_cast<int>(monitors.size()));
}

void KeepNow(ClockWindow* w) { SavePlace(g_get_user_state_dir(), w->clock->file, w->kept, w->fit); }

// The pointer's buttons are read from the display: while the window manager moves the
// window, it has the pointer, and the clock sees no release.
bool PrimaryButtonHeld(GtkWidget* widget) {
  GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(widget));
  GdkDevice* pointer = gdk_seat_get_pointer(seat);
  GdkModifierType state = static_cast<GdkModifierType>(0);
  gdk_window_get_device_position(gtk_widget_get_window(widget), pointer, nullptr, nullptr, &state);
  return (state & GDK_BUTTON1_MASK) != 0;
}

gboolean KeepPlace(gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  if (w->moved && PrimaryButtonHeld(w->window)) return G_SOURCE_CONTINUE;
  w->keepSource = 0;
  gint x, y;
  gtk_window_get_position(GTK_WINDOW(w->window), &x, &y);
  if (w->moved && (x != w->kept.x || y != w->kept.y)) {
    w->moved = false;
    w->kept = ScreenPoint{x, y};
    KeepNow(w);
  }
  return G_SOURCE_REMOVE;
}

// Every move ends a drag a little later unless another follows.
gboolean Configured(GtkWidget*, GdkEventConfigure*, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  if (w->keepSource) g_source_remove(w->keepSource);
  w->keepSource = g_timeout_add(kDragEndMilliseconds, KeepPlace, w);
  return FALSE;
}

LocalTime LocalTimeOf(GDateTime* t) {
  return LocalTime{g_date_time_get_year(t),   g_date_time_get_month(t),
                   g_date_time_get_day_of_month(t), g_date_time_get_hour(t),
                   g_date_time_get_minute(t), g_date_time_get_second(t),
                   static_cast<int>(g_date_time_get_microsecond(t) / 1000)};
}

LocalTime Now() {
  GDateTime* now = g_date_time_new_now_local();
  const LocalTime local = LocalTimeOf(now);
  g_date_time_unref(now);
  return local;
}

// The window's pixels, 0x00RRGGBB words as the cairo surface holds them, row by row.
void CopyToSurface(const uint32_t* window, int size, cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < size; ++y)
    std::memcpy(data + y * stride, window + y * size, size * sizeof(uint32_t));
  cairo_surface_mark_dirty(surface);
}

// Draws the window for `local` at `dpi` when the core's rule, or a new scale, says to.
void Redraw(ClockWindow* w, const LocalTime& local, int dpi) {
  if (!TickNativeClock(w->clock, local, w->pixels.data(), dpi)) return;
  CopyToSurface(w->pixels.data(), ScaledWindowSize(dpi), w->face);
  gtk_widget_queue_draw(w->window);
}

// Redraws when the second has changed, then sleeps until the next second begins: a clock
// at rest wakes once a second, not ten times.
gboolean Tick(gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  const LocalTime local = Now();
  Redraw(w, local, w->clock->dpi);
  w->tickSource = g_timeout_add(static_cast<guint>(WakeDelay(local.millisecond)), Tick, w);
  return G_SOURCE_REMOVE;
}

gboolean Draw(GtkWidget*, cairo_t* cr, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, w->face, 0, 0);
  cairo_paint(cr);
  return TRUE;
}

// The build's outline at `dpi` as a region of the window's logical pixels, one rectangle
// per run of kept pixels in each row. GDK takes shapes in logical pixels (it multiplies
// them by the scale factor for the X server), so the outline drawn at the screen's scale
// is mapped to the logical pixels of the window at `logicalDpi` first: a logical pixel is
// inside when any of its device pixels is (LogicalOutlineMask), so the whole drawn outline
// shows, with at most a fringe of less than a logical pixel of the window's own pixels
// beyond it, and clicks there reach the clock. At scale 1 it is the outline itself.
cairo_region_t* OutlineRegion(const ClockBuild& build, int dpi, int logicalDpi) {
  const int size = ScaledWindowSize(logicalDpi);
  std::vector<uint8_t> mask(static_cast<size_t>(size) * size);
  LogicalOutlineMask(build, dpi, mask.data(), logicalDpi);
  cairo_region_t* region = cairo_region_create();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size;) {
      if (!mask[y * size + x]) {
        ++x;
        continue;
      }
      int end = x;
      while (end < size && mask[y * size + end]) ++end;
      const cairo_rectangle_int_t run{x, y, end - x, 1};
      cairo_region_union_rectangle(region, &run);
      x = end;
    }
  }
  return region;
}

// The window drawn at GDK's scale factor of its window (GDK_SCALE, or the desktop's
// setting) times the user's size: at start, and again whenever either changes. The window
// is FitWindowSize logical pixels square (82 x 82 at 100 %); the core draws it anew at
// FitDpi of 96 DPI per step of the factor, as `tavimore render --scale` does, into a
// surface of ScaledWindowSize(dpi) device pixels whose device scale makes it the window's
// logical size too, so cairo puts each of its pixels on one pixel of the screen. (A factor
// beyond the core's largest scale draws at that one, enlarged.)
void Scale(ClockWindow* w) {
  const int logicalDpi = FitDpi(kBaseDpi, w->fit);
  const int dpi = FitDpi(NativeClockDpi(gtk_widget_get_scale_factor(w->window)), w->fit);
  if (dpi == w->clock->dpi && FitWindowSize(w->fit) == w->size) return;
  w->size = FitWindowSize(w->fit);
  const int drawn = ScaledWindowSize(dpi);
  w->pixels.assign(static_cast<size_t>(drawn) * drawn, 0);
  if (w->face) cairo_surface_destroy(w->face);
  w->face = cairo_image_surface_create(CAIRO_FORMAT_RGB24, drawn, drawn);
  cairo_surface_set_device_scale(w->face, static_cast<double>(dpi) / logicalDpi,
                                 static_cast<double>(dpi) / logicalDpi);
  cairo_region_t* outline = OutlineRegion(*w->clock->content.build, dpi, logicalDpi);
  gtk_widget_shape_combine_region(w->window, outline);
  gtk_widget_input_shape_combine_region(w->window, outline);
  cairo_region_destroy(outline);
  gtk_widget_set_size_request(w->window, w->size, w->size);
  gtk_window_resize(GTK_WINDOW(w->window), w->size, w->size);
  w->clock->dpi = 0;  // the new surface is empty: drawn now, even at the scale drawn last
  Redraw(w, Now(), dpi);  // the same second at the new scale
}

// How much shows through: the window manager's compositor blends the window, so without
// one the clock stays opaque.
void ShowAlpha(ClockWindow* w) {
  gtk_widget_set_opacity(w->window, static_cast<double>(FitAlpha(w->fit, w->pointerOver)) / kOpaque);
}

// Takes the user's new fit and keeps it: a new size grows or shrinks the clock about its
// centre, wholly on its monitor.
void Refit(ClockWindow* w, const DeskFit& fit) {
  const int oldSize = w->size;
  w->fit = fit;
  Scale(w);
  if (w->size != oldSize) {
    gint x, y;
    gtk_window_get_position(GTK_WINDOW(w->window), &x, &y);
    const std::vector<Monitor> monitors = ReadMonitors(gtk_widget_get_display(w->window));
    w->kept = GrowAboutCentre(ScreenPoint{x, y}, oldSize, w->size, monitors.data(),
                              static_cast<int>(monitors.size()));
    gtk_window_move(GTK_WINDOW(w->window), w->kept.x, w->kept.y);
  }
  ShowAlpha(w);
  KeepNow(w);
}

void ScaleChanged(GObject*, GParamSpec*, gpointer data) { Scale(static_cast<ClockWindow*>(data)); }

// The tooltip is asked for when it is about to show, so the date is always today's, and
// nothing is formatted while nobody points at the clock. Its window carries the text as
// its title too, where screen readers and window lists can read it.
gboolean QueryTooltip(GtkWidget*, gint, gint, gboolean, GtkTooltip*, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  GDateTime* now = g_date_time_new_now_local();
  gchar* weekday = g_date_time_format(now, "%a");  // the short name in the user's language
  const LocalTime t = LocalTimeOf(now);
  gchar* made = g_strdup_printf(TAVIMORE_TOOLTIP_FORMAT, w->clock->author.c_str(), t.year,
                                t.month, t.day, weekday ? weekday : "");
  const std::string text = made;
  g_free(made);
  g_free(weekday);
  g_date_time_unref(now);
  gtk_label_set_text(GTK_LABEL(w->tooltipLabel), text.c_str());
  gtk_window_set_title(GTK_WINDOW(w->tooltip), text.c_str());
  return TRUE;
}

void OpenAddress(ClockWindow* w, const std::string& target) {
  if (target.empty()) return;  // an address the clock does not open
  // Non-ASCII text (a Japanese address) passes as UTF-8; what a URI cannot hold is escaped.
  gchar* uri = g_uri_escape_string(target.c_str(), "!#$&'()*+,/:;=?@[]~%", TRUE);
  GError* error = nullptr;
  GdkAppLaunchContext* context = gdk_display_get_app_launch_context(gtk_widget_get_display(w->window));
  // The clock carries on whether a handler starts or not, as on Windows.
  if (!g_app_info_launch_default_for_uri(uri, G_APP_LAUNCH_CONTEXT(context), &error)) {
    g_printerr("tavimore-clock: cannot open %s: %s\n", uri, error->message);
    g_error_free(error);
  }
  g_object_unref(context);
  g_free(uri);
}

void ShowVersion(ClockWindow* w) {
  GtkWidget* box = gtk_message_dialog_new(
      GTK_WINDOW(w->window), GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK,
      TAVIMORE_VERSION_FORMAT("\n"), TAVIMORE_VERSION_MAJOR, TAVIMORE_VERSION_MINOR,
      TAVIMORE_VERSION_REVISION);
  gtk_window_set_title(GTK_WINDOW(box), w->clock->author.c_str());
  // In the middle of the screen, as a message box: over its owner it would hide the clock.
  gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

void OnMenuItem(GtkMenuItem* item, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  const int index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "index"));
  const bool on = GTK_IS_CHECK_MENU_ITEM(item) &&
                  gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item));
  DeskFit fit = w->fit;
  // A radio item just left is activated too: only the one chosen counts.
  if (index >= kMenuSizeStep && index < kMenuSizeStep + kSizeSteps && on) {
    fit.size = index - kMenuSizeStep;
  } else if (index >= kMenuSeeThroughStep && index < kMenuSeeThroughStep + kSeeThroughSteps && on) {
    fit.seeThrough = index - kMenuSeeThroughStep;
  }
  switch (index) {
    case kMenuHomePage:
      OpenAddress(w, w->clock->homePage);
      break;
    case kMenuMail:
      OpenAddress(w, w->clock->mail);
      break;
    case kMenuVersion:
      // After the menu has closed: the box waits in a loop of its own.
      g_idle_add([](gpointer d) {
        ShowVersion(static_cast<ClockWindow*>(d));
        return G_SOURCE_REMOVE;
      }, w);
      break;
    case kMenuLogin:
      SetStartAtLogin(g_get_user_config_dir(), w->clock->file,
                      !StartsAtLogin(g_get_user_config_dir(), w->clock->file));
      break;
    case kMenuFixed:
      fit.fixed = on;
      break;
    case kMenuFade:
      fit.fade = on;
      break;
    case kMenuExit:
      gtk_widget_destroy(w->window);
      return;
  }
  if (PackDeskFit(fit) != PackDeskFit(w->fit)) Refit(w, fit);
}

void AddMenuItem(ClockWindow* w, GtkWidget* menu, GtkWidget* entry, int index) {
  g_object_set_data(G_OBJECT(entry), "index", GINT_TO_POINTER(index));
  g_signal_connect(entry, "activate", G_CALLBACK(OnMenuItem), w);
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
}

// A sub-menu of one radio group; its items go to `entries`.
GtkWidget* MakeRadioMenu(ClockWindow* w, const Item* items, int count, GtkWidget** entries) {
  GtkWidget* menu = gtk_menu_new();
  GSList* group = nullptr;
  for (int i = 0; i < count; ++i) {
    entries[i] = gtk_radio_menu_item_new_with_label(group, items[i].caption);
    group = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(entries[i]));
    AddMenuItem(w, menu, entries[i], items[i].index);
  }
  return menu;
}

GtkWidget* MakeMenu(ClockWindow* w) {
  GtkWidget* menu = gtk_menu_new();
  for (const Item& item : kMenuItems) {
    GtkWidget* entry;
    if (std::strcmp(item.caption, "-") == 0) {
      gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
      continue;
    }
    const bool check = item.index == kMenuLogin || item.index == kMenuFixed || item.index == kMenuFade;
    entry = check ? gtk_check_menu_item_new_with_label(item.caption)
                  : gtk_menu_item_new_with_label(item.caption);
    if (item.index == kMenuLogin) w->loginItem = entry;
    if (item.index == kMenuFixed) w->fixedItem = entry;
    if (item.index == kMenuFade) w->fadeItem = entry;
    if (item.index == kMenuSize || item.index == kMenuSeeThrough) {
      gtk_menu_item_set_submenu(
          GTK_MENU_ITEM(entry),
          item.index == kMenuSize
              ? MakeRadioMenu(w, kSizeItems, kSizeSteps, w->sizeItems)
              : MakeRadioMenu(w, kSeeThroughItems, kSeeThroughSteps, w->seeThroughItems));
      gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
    } else {
      AddMenuItem(w, menu, entry, item.index);
    }
  }
  gtk_widget_show_all(menu);
  gtk_menu_attach_to_widget(GTK_MENU(menu), w->window, nullptr);
  return menu;
}

// A check or radio mark as things are now, set without choosing the item.
void ShowChecked(ClockWindow* w, GtkWidget* item, bool on) {
  g_signal_handlers_block_by_func(item, reinterpret_cast<gpointer>(OnMenuItem), w);
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), on);
  g_signal_handlers_unblock_by_func(item, reinterpret_cast<gpointer>(OnMenuItem), w);
}

gboolean ButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data) {
  if (event->type != GDK_BUTTON_PRESS) return FALSE;  // a double click is two presses
  auto* w = static_cast<ClockWindow*>(data);
  if (event->button == GDK_BUTTON_PRIMARY) {
    if (w->fit.fixed) return TRUE;
    // The window manager moves the window: the grabbed point stays under the pointer.
    w->moved = true;
    gtk_window_begin_move_drag(GTK_WINDOW(widget), event->button, static_cast<gint>(event->x_root),
                               static_cast<gint>(event->y_root), event->time);
  } else if (event->button == GDK_BUTTON_SECONDARY) {
    static GtkWidget* menu = MakeMenu(w);
    ShowChecked(w, w->loginItem, StartsAtLogin(g_get_user_config_dir(), w->clock->file));
    ShowChecked(w, w->sizeItems[w->fit.size], true);
    ShowChecked(w, w->seeThroughItems[w->fit.seeThrough], true);
    ShowChecked(w, w->fixedItem, w->fit.fixed);
    ShowChecked(w, w->fadeItem, w->fit.fade);
    gtk_menu_popup_at_pointer(GTK_MENU(menu), reinterpret_cast<GdkEvent*>(event));
  }
  return TRUE;
}

// Esc ends the clock; an arrow moves it a pixel, with Shift kShiftKeyStep, wholly on its
// monitor, and the place is kept once it has settled, as after a drag.
gboolean KeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  if (event->keyval == GDK_KEY_Escape) {
    gtk_widget_destroy(widget);
    return TRUE;
  }
  const int step = (event->state & GDK_SHIFT_MASK) ? kShiftKeyStep : 1;
  const int dx = event->keyval == GDK_KEY_Left ? -step : event->keyval == GDK_KEY_Right ? step : 0;
  const int dy = event->keyval == GDK_KEY_Up ? -step : event->keyval == GDK_KEY_Down ? step : 0;
  if ((dx == 0 && dy == 0) || w->fit.fixed) return TRUE;
  gint x, y;
  gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
  const ScreenPoint place = OnMonitor(w, ScreenPoint{x + dx, y + dy});
  w->moved = true;
  gtk_window_move(GTK_WINDOW(widget), place.x, place.y);
  return TRUE;
}

// Ctrl with the wheel steps through the sizes: away from the user larger.
gboolean Scroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  if (!(event->state & GDK_CONTROL_MASK)) return FALSE;
  const int delta = event->direction == GDK_SCROLL_UP ? 1 : event->direction == GDK_SCROLL_DOWN ? -1 : 0;
  DeskFit fit = w->fit;
  fit.size = WheelSizeStep(fit.size, delta);
  if (fit.size != w->fit.size) Refit(w, fit);
  return TRUE;
}

// The pointer coming and going: a fading clock fades while it is over it.
gboolean Crossing(GtkWidget*, GdkEventCrossing* event, gpointer data) {
  auto* w = static_cast<ClockWindow*>(data);
  w->pointerOver = event->type == GDK_ENTER_NOTIFY;
  ShowAlpha(w);
  return FALSE;
}

void MakeTooltipWindow(ClockWindow* w) {
  w->tooltip = gtk_window_new(GTK_WINDOW_POPUP);
  gtk_window_set_type_hint(GTK_WINDOW(w->tooltip), GDK_WINDOW_TYPE_HINT_TOOLTIP);
  gtk_style_context_add_class(gtk_widget_get_style_context(w->tooltip), GTK_STYLE_CLASS_TOOLTIP);
  w->tooltipLabel = gtk_label_new("");
  gtk_widget_set_margin_start(w->tooltipLabel, 4);  // the usual tooltip padding
  gtk_widget_set_margin_end(w->tooltipLabel, 4);
  gtk_widget_set_margin_top(w->tooltipLabel, 2);
  gtk_widget_set_margin_bottom(w->tooltipLabel, 2);
  gtk_container_add(GTK_CONTAINER(w->tooltip), w->tooltipLabel);
  gtk_widget_show(w->tooltipLabel);
  gtk_widget_set_tooltip_window(w->window, GTK_WINDOW(w->tooltip));
  g_signal_connect(w->window, "query-tooltip", G_CALLBACK(QueryTooltip), w);
}

}  // namespace

int RunClockWindow(NativeClock* clock) {
  ClockWindow w{};
  w.clock = clock;

  GtkWindow* window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  w.window = GTK_WIDGET(window);
  gtk_window_set_title(window, clock->content.build->name);
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_keep_above(window, TRUE);
  gtk_window_stick(window);  // on every workspace, as a tool window is on every desktop
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  gtk_window_set_icon_name(window, "tavimore-clock");
  w.kept = StartPlace(*clock, gtk_widget_get_screen(w.window), &w.fit);
  gtk_window_move(window, w.kept.x, w.kept.y);
  gtk_widget_set_app_paintable(w.window, TRUE);
  gtk_widget_add_events(w.window, GDK_BUTTON_PRESS_MASK | GDK_KEY_PRESS_MASK | GDK_SCROLL_MASK |
                                      GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);

  // The first face, at the scale the window will show at, is drawn and the window shaped
  // before it shows, so it never shows empty; the tick arms the next one.
  Scale(&w);
  Tick(&w);
  g_signal_connect(w.window, "notify::scale-factor", G_CALLBACK(ScaleChanged), &w);

  MakeTooltipWindow(&w);
  g_signal_connect(w.window, "draw", G_CALLBACK(Draw), &w);
  g_signal_connect(w.window, "button-press-event", G_CALLBACK(ButtonPress), &w);
  g_signal_connect(w.window, "key-press-event", G_CALLBACK(KeyPress), &w);
  g_signal_connect(w.window, "scroll-event", G_CALLBACK(Scroll), &w);
  g_signal_connect(w.window, "enter-notify-event", G_CALLBACK(Crossing), &w);
  g_signal_connect(w.window, "leave-notify-event", G_CALLBACK(Crossing), &w);
  g_signal_connect(w.window, "configure-event", G_CALLBACK(Configured), &w);
  g_signal_connect(w.window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

  gtk_widget_show(w.window);
  ShowAlpha(&w);  // GTK gives a window its opacity only once it is there
  gtk_main();
  g_source_remove(w.tickSource);
  if (w.keepSource) g_source_remove(w.keepSource);
  gtk_widget_destroy(w.tooltip);
  cairo_surface_destroy(w.face);
  return 0;
}

void ShowStopMessage(const char* title, const char* message) {
  GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                          GTK_BUTTONS_OK, "%s", message);
  gtk_window_set_title(GTK_WINDOW(box), title);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

}  // namespace tavimore
