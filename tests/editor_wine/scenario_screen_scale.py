"""The editor on screens of 150 % and 200 % (the system's DPI 144 and 192, which Wine takes
from the user's LogPixels when a program starts): drawn at the screen's scale, not stretched
by the system, its client area and every control in proportion, the face picture in the
preview in exact 2 x 2 blocks at 200 %, and the clock it builds there the same file as at
96 DPI (tavimore's, which knows no screen)."""
import os
import subprocess

import pictures
from editor_session import check, ec, first_difference
from wine_session import WINE

# The window at 200 % (872 x 789 with its frame) kept whole: Wine fits a larger window to
# the screen.
SCREEN = (1280, 1024)
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
PER_MONITOR = 2  # the probe's figure for a per-monitor aware window


def set_system_dpi(session, dpi):
    """LogPixels for the programs started from now on (None: the value removed, Wine's 96
    again); the prefix's server is ended, so that nothing started before lingers at the old
    DPI."""
    if dpi is None:
        command = ["reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"]
    else:
        command = ["reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                   str(dpi), "/f"]
    subprocess.run([WINE] + command, env=session.env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=dpi is not None)
    subprocess.run(["wineserver", "-k"], env=session.env, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=session.env, stderr=subprocess.DEVNULL)


def run(sc):
    sc.add_definitions()
    strip = sc.path("strip.bmp")
    pictures.write_strip(strip, 80, 160)
    try:
        for dpi in (144, 192):
            set_system_dpi(sc.session, dpi)
            editor = sc.start_editor()
            # Before its controls are looked for: a window the system stretches has them all
            # elsewhere.
            seen = sc.session.wait_window("TavimoreEdit", editor)
            check((seen["awareness"], seen["dpi"]) == (PER_MONITOR, dpi),
                  "at %d DPI the editor's window has DPI awareness %s at %s DPI, not per "
                  "monitor" % (dpi, seen["awareness"], seen["dpi"]))
            win = sc.editor_window(editor, dpi)
            ec.check_window_frame(win)
            ec.check_layout(win)
            sc.log("%d DPI: the window and its controls in proportion" % dpi)
            if dpi == 192:
                check_picture_and_build(sc, win, strip)
            sc.close_with(editor, "Escape")
    finally:
        set_system_dpi(sc.session, None)


def check_picture_and_build(sc, win, strip):
    """At 200 %: the chosen picture's top square in the preview, each of its pixels a 2 x 2
    block, and the clock F1 builds."""
    sc.choose_picture(win, strip)
    shot = sc.session.screenshot()
    # The face in the middle of the preview's client area, inside its one-pixel border (the
    # border stays one pixel while the box is scaled).
    face = ec.scaled(80, win.dpi)
    x, y, side, _ = win.refresh().control("Pic")["rect"]
    left, top = x + 1 + (side - 2 - face) // 2, y + 1 + (side - 2 - face) // 2
    rows = pictures.strip_pixels(80, 80)
    wrong = [(i, j) for j in range(face) for i in range(face)
             if win.client_pixel(shot, left + i, top + j) != rows[j // 2][i // 2]]
    check(not wrong, "the preview is not the picture in 2 x 2 blocks: %d pixels differ, the "
          "first at face (x, y) %s" % (len(wrong), wrong[:1]))
    sc.session.key("F1")
    built = sc.wait_output()
    hands = [(ec.INITIAL_COLOURS["COL%d" % i], int(ec.INITIAL_LENGTHS["DSP%d" % i][:-1]))
             for i in range(3)]
    # tavimore build writes what the editor writes at 96 DPI (scenario_build).
    expected = sc.tavimore_build(os.path.join(sc.app, win.text("CMB") + ".prm"), strip,
                                 sc.path("expected.exe"), "", "", "", hands)
    check(built == expected, "the clock built at 192 DPI differs from the one built at 96%s"
          % first_difference(built, expected))
    sc.log("192 DPI: the preview in exact blocks, the clock identical to tavimore build")
