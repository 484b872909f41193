// tavimore-clock FILE: shows a clock file (one of the five clock programs, or a clock built
// from one) on a Linux desktop, as the Windows clock shows it.
//
// Exit codes, as tavimore's: 0 the clock was ended (or already runs from that file);
// 1 no display, a usage error, or a file that cannot be read or is no clock; 2 a damaged
// clock file, after the same message the Windows clock gives has been shown in a dialog.
// A clock is often started from a file manager or at login, where nobody reads error
// output, so every refused file is also said in a dialog.
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/clock_texts.h"
#include "core/read_whole_file.h"
#include "linux/clock_lock.h"
#include "linux/clock_window.h"
#include "linux/native_clock.h"

namespace tavimore {
namespace {

constexpr char kDamagedMessage[] = TAVIMORE_DAMAGED_CLOCK_MESSAGE;
constexpr char kUnreadableMessage[] = "時計ファイルを読み込めないため、起動できません。";
constexpr char kNotAClockMessage[] = "時計ファイルではないため、起動できません。";
// The title of messages about files that name no clock build.
constexpr char kProgramTitle[] = "Tavimore";

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "tavimore-clock: %s\n", message.c_str());
  return code;
}

// The reason on the error output, and the message in a dialog.
int Refuse(int code, const std::string& reason, const char* title, const char* message) {
  Fail(code, reason);
  ShowStopMessage(title, message);
  return code;
}

int Run(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-')
    return Fail(1, "usage: tavimore-clock FILE (a clock program or a clock built from one)");
  const std::string path = argv[1];
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, &bytes, &error))
    return Refuse(1, error, kProgramTitle, kUnreadableMessage);

  // The same file reached by another name (a link, a relative path) is the same clock.
  std::error_code ec;
  const std::string canonical = std::filesystem::canonical(path, ec).string();
  int lock = -1;
  if (ClaimClockFile(ec ? path : canonical, g_get_user_runtime_dir(), &lock) == ClockLock::kTaken)
    return 0;  // that clock is on the screen already

  NativeClock clock;
  clock.file = ec ? path : canonical;
  switch (LoadNativeClock(std::move(bytes), &clock)) {
    case ClockOpen::kNotAClock:
      return Refuse(1, path + " is not a clock file (no clock program at its start)", kProgramTitle,
                    kNotAClockMessage);
    case ClockOpen::kDamaged:
      return Refuse(2, path + ": " + kDamagedMessage, clock.content.build->name, kDamagedMessage);
    case ClockOpen::kReady:
      break;
  }
  return RunClockWindow(&clock);
}

}  // namespace
}  // namespace tavimore

int main(int argc, char** argv) {
  // The clock draws 82 x 82 pixels with cairo and never uses OpenGL; without this the
  // toolkit probes OpenGL at start, which on a machine with Mesa loads its software
  // renderer and LLVM and triples the clock's memory. A user's own setting wins.
  g_setenv("GDK_GL", "disable", FALSE);
  // GTK's Wayland backend ignores "keep above", window positions and window shapes; where
  // X11 is there too (XWayland beside Wayland), the clock takes it, and all of them work.
  if (g_getenv("DISPLAY") && *g_getenv("DISPLAY")) gdk_set_allowed_backends("x11,*");
  // gtk_init_check also takes the toolkit's own options out of argv.
  if (!gtk_init_check(&argc, &argv))
    return tavimore::Fail(1, "cannot open the display (is DISPLAY set?)");
#ifdef GDK_WINDOWING_WAYLAND
  if (GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default()))
    std::fprintf(stderr, "tavimore-clock: this Wayland desktop lets no program keep its window "
                         "above the others, place it or cut its shape: the clock runs without "
                         "them (with XWayland, DISPLAY set, it would have them)\n");
#endif
  g_set_prgname("tavimore-clock");
  return tavimore::Run(argc, argv);
}
