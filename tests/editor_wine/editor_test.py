#!/usr/bin/env python3
"""TavimoreEdit under Wine, used the way a person uses it: keys and clicks through xdotool,
what the screen shows from screenshots, texts and focus read through the window system.

    editor_test.py prefix --locale C|ja --display :N --prefix DIR --locale-dir DIR
    editor_test.py run SCENARIO --locale C|ja --display :N --prefix DIR --locale-dir DIR \
        --bin DIR --tavimore EXE --probe EXE --work DIR [--screenshot PNG]

`prefix` makes the Wine prefix that the scenarios of one locale share, one after another.
Each scenario gets a folder of its own holding TavimoreEdit.exe (and, where it needs them,
the five .prm definitions) from --bin, and compares what the editor writes with what the
command line `tavimore build` writes from the same inputs.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import types

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

import editor_checks as ec  # noqa: E402
import pictures  # noqa: E402
from build_names import build_names  # noqa: E402
from wine_session import Session, TestFailure, check, prepare_prefix, windows_path  # noqa: E402

BUILDS = build_names()
PAYLOAD_OFFSET = 55000
IMAGE_BLOCK = 25604
SIZE_TITLE = "サイズエラー"
SIZE_TEXT = "画像サイズは、横80px・縦80pxのみ倍数としてください。"
UNREADABLE_TITLE = "画像エラー"
UNREADABLE_TEXT = "画像を読み込めませんでした。\nBMP・JPEG・GIF・PNG の画像を選んでください。"
RUNNING_TITLE = "起動中の時計"
RUNNING_TEXT = "oriclock.exe は起動しています。終了して作り直しますか？"


class Scenario:
    def __init__(self, args, name):
        self.args = args
        self.session = Session(name, args.locale, args.display, args.prefix, args.locale_dir,
                               args.probe, args.work)
        self.app = self.session.app
        self.folder = self.session.folder
        self.ansi = "cp932" if args.locale == "ja" else "cp1252"
        shutil.copy(os.path.join(args.bin, "TavimoreEdit.exe"), self.app)

    def log(self, text):
        print("[%s %s] %s" % (self.args.locale, time.strftime("%H:%M:%S"), text), flush=True)

    def add_definitions(self):
        for build in BUILDS:
            shutil.copy(os.path.join(self.args.bin, build + ".prm"), self.app)

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def output(self):
        return os.path.join(self.app, "oriclock.exe")

    def ini(self):
        path = os.path.join(self.app, "TavimoreE.ini")
        return open(path, "rb").read() if os.path.exists(path) else None

    def ini_bytes(self, name, url, mail):
        enc = lambda t: t.encode(self.ansi, errors="replace")
        return b"[Users]\r\nNAME=" + enc(name) + b"\r\nURL=" + enc(url) + b"\r\nMAIL=" + enc(mail) + b"\r\n"

    def start_editor(self):
        process = self.session.start_editor()
        return process

    def editor_window(self, process):
        win = ec.EditorWindow(self.session, process)
        time.sleep(0.3)
        return win.refresh()

    # -- dialogs ----------------------------------------------------------------------
    def message_box(self, title, process):
        """Waits for a message box and returns its text (the static control that is not the
        icon)."""
        self.session.wait_window(title, process)
        data = self.session.probe(title)
        texts = [c["text"] for c in data["children"] if c["class"] == "Static" and c["text"]]
        return "\n".join(texts)

    def answer(self, title, keys, process):
        self.session.key(*keys)
        self.session.wait_gone(title, process)

    def choose_picture(self, win, path):
        win.click("CBTN0")
        self.session.wait_window("画像を選択", win.process)
        self.session.key("alt+n")
        self.session.type_text(windows_path(path))
        self.session.key("Return")
        self.session.wait_gone("画像を選択", win.process)

    def colour_title(self):
        return "色" if self.args.locale == "ja" else "Color"

    def tavimore_build(self, definition, image, out, name, url, mail, hands):
        cmd = [self.args.tavimore, "build", "--definition", definition, "--image", image,
               "--output", out, "--force", "--name", name, "--url", url, "--mail", mail]
        for option, (rgb, length) in zip(["--hour", "--minute", "--second"], hands):
            cmd += [option, "#%02X%02X%02X,%d" % (rgb + (length,))]
        subprocess.run(cmd, check=True)
        return open(out, "rb").read()

    def wait_output(self, previous=None, timeout=15):
        """The output once it exists (and differs from `previous`) and has stopped growing."""
        end = time.time() + timeout
        last = None
        while time.time() < end:
            if os.path.isfile(self.output()):
                data = open(self.output(), "rb").read()
                if data != previous and data == last:
                    return data
                last = data
            time.sleep(0.2)
        raise TestFailure("oriclock.exe was not written")

    def close_with(self, process, *keys):
        self.session.key(*keys)
        check(self.session.wait_exit(process), "the editor did not end after %s" % (keys,))


# ---------------------------------------------------------------------------------------
def scenario_build(sc):
    """First start, the whole window against its table, a clock built from typed texts, a
    picture, a colour and a shape, the clock running, and the overwrite question: the steps
    of BUILD_STEPS in turn, sharing what they set up in `st`."""
    st = types.SimpleNamespace()
    sc.add_definitions()
    st.strip = sc.path("strip.bmp")
    pictures.write_strip(st.strip, 80, 240)
    st.rows = pictures.strip_pixels(80, 240)
    for step in BUILD_STEPS:
        try:
            step(sc, st)
        except TestFailure as failure:
            raise TestFailure("%s: %s" % (step.__name__, failure)) from None


def build_first_start(sc, st):
    """The first start: a settings file of empty texts, the whole window against its table, the
    list of shapes, the focus; a second editor from the same file ends at once."""
    s = sc.session
    check(sc.ini() is None, "a settings file exists before the first start")
    st.editor = sc.start_editor()
    st.win = sc.editor_window(st.editor)
    sc.log("first start: window up")
    check(sc.ini() == sc.ini_bytes("", "", ""), "first start wrote %r" % sc.ini())

    ec.check_window_frame(st.win)
    ec.check_controls_by_probe(st.win)
    items = st.win.control("CMB")["items"]
    listing = [n for n in s.listing(windows_path(sc.app) + "\\*.prm")]
    check(items == [n[:-4] for n in listing], "list %s, directory listing %s" % (items, listing))
    check(sorted(items) == sorted(BUILDS) and st.win.control("CMB")["selected"] == 0,
          "list %s, selected %s" % (items, st.win.control("CMB")["selected"]))
    check(st.win.focus() == "FLD0", "the window opens with the focus on %s" % st.win.focus())
    shot = s.screenshot(save_png=sc.args.screenshot, crop=list(st.win.data["outer"]))
    face = st.win.client_pixel(shot, 2, 2)
    preview_face = [[face] * 80 for _ in range(80)]
    ec.check_screen_against_table(st.win, shot, preview=preview_face)
    ec.check_area_empty(st.win, shot, face)
    check_icon(st.win, shot)
    sc.log("layout matches the table")

    # A second editor from the same file ends at once, without a window.
    second = s.start_editor()
    check(s.wait_exit(second, 20), "a second editor kept running")
    st.win.refresh()


def build_texts(sc, st):
    """The three texts typed and pasted, Enter moving from field to field."""
    s = sc.session
    # The three texts: Japanese through the clipboard, Enter moving on after each.
    st.name = "時計屋 たろう Taro"
    st.url = "https://tavimore.example/~taro"
    st.mail = "taro@tavimore.example"
    s.key("shift")
    s.paste_text(st.name)
    check(st.win.refresh().text("FLD0") == st.name, "name field holds %r" % st.win.text("FLD0"))
    s.key("Return")
    check(st.win.focus() == "FLD1", "Enter in FLD0 moved the focus to %s" % st.win.focus())
    s.type_text(st.url)
    s.key("Return")
    check(st.win.focus() == "FLD2", "Enter in FLD1 moved the focus to %s" % st.win.focus())
    s.type_text(st.mail)
    s.key("Return")
    check(st.win.focus() == "BTN0", "Enter in FLD2 moved the focus to %s" % st.win.focus())
    check(not os.path.exists(sc.output()), "the Enter that left FLD2 pressed the build button")
    st.win.refresh()
    check((st.win.text("FLD1"), st.win.text("FLD2")) == (st.url, st.mail), "fields %r %r" % (
        st.win.text("FLD1"), st.win.text("FLD2")))
    # Focusing a field with text selects all of it, so typing replaces it.
    s.key("shift+Tab")
    c = st.win.refresh().control("FLD2")
    check(st.win.focus() == "FLD2" and (c["selStart"], c["selEnd"]) == (0, len(st.mail)),
          "FLD2 focused with selection %s..%s" % (c["selStart"], c["selEnd"]))


def build_picture(sc, st):
    """A picture strip chosen through the real open-file dialog, shown in both picture boxes."""
    s = sc.session
    # The picture through the real open-file dialog.
    sc.choose_picture(st.win, st.strip)
    shot = s.screenshot()
    st.win.refresh()
    check(tuple(st.win.control("AREA")["rect"]) == (336, 112, 80, 240),
          "AREA is %s after an 80 x 240 picture" % st.win.control("AREA")["rect"])
    ec.check_picture_at(st.win, shot, 105, 113, st.rows, 80, "Pic (frame 1)")
    btn1 = ec.PLACE["BTN1"]
    covered = lambda x, y: btn1[0] <= x < btn1[0] + btn1[2] and btn1[1] <= y < btn1[1] + btn1[3]
    ec.check_picture_at(st.win, shot, 336, 112, st.rows, 240, "AREA (the whole strip)", skip=covered)
    sc.log("picture chosen")


def build_colour(sc, st):
    """The minute hand's colour chosen through the real colour dialog."""
    s = sc.session
    # A colour through the real colour dialog; the custom colour added there is not kept.
    st.minute_colour = (18, 52, 86)
    st.win.click("COL1")
    title = sc.colour_title()
    dialog = s.wait_window(title, st.editor)
    s.key("alt+d")
    s.key("alt+r")
    s.type_text(str(st.minute_colour[0]))
    s.key("alt+g")
    s.type_text(str(st.minute_colour[1]))
    s.key("Tab")
    s.type_text(str(st.minute_colour[2]))
    s.key("alt+a")
    check(count_colour(s, dialog, st.minute_colour) > 100, "the colour was not added to a custom slot")
    s.key("Return")
    s.wait_gone(title, st.editor)
    st.win.click("COL1")
    dialog = s.wait_window(title, st.editor)
    check(count_colour(s, dialog, st.minute_colour) == 0,
          "the second colour dialog still shows the custom colour of the first")
    check(count_colour(s, dialog, (255, 255, 255)) > 16 * 50,
          "the custom colour slots of the second dialog are not white")
    s.key("Escape")
    s.wait_gone(title, st.editor)
    st.swatches = dict(ec.INITIAL_COLOURS, COL1=st.minute_colour)
    shot = s.screenshot()
    x, y, w, h = ec.PLACE["COL1"]
    check(st.win.client_pixel(shot, x + w // 2, y + h // 2) == st.minute_colour,
          "cancelling the second dialog changed the swatch")
    sc.log("colour chosen")


def build_hands_and_shape(sc, st):
    """Hand lengths through the scroll bars and their keys, the Tab order, and the shape."""
    s = sc.session
    # Hands: the arrows and the trough step by one; Home and End reach 1 and 100.
    for _ in range(3):
        st.win.click("LongLine0", dx=8)  # the left arrow
    x, y, w, h = st.win.control("LongLine1")["rect"]
    for _ in range(2):
        st.win.click("LongLine1", dx=w - 17 - 4)  # the trough just left of the right arrow
    # Tab walks the controls in their order; the picture boxes take the focus but no key.
    st.win.click("FLD0")
    for step in range(1, 11):
        s.key("Tab")
        if ec.FOCUS_CYCLE[step] in ("Pic", "AREA"):
            s.key("Right", "Down")
        check(st.win.focus() == ec.FOCUS_CYCLE[step], "Tab %d from FLD0 reached %s, not %s" % (
            step, st.win.focus(), ec.FOCUS_CYCLE[step]))
    s.key("Home")
    check(st.win.refresh().text("DSP2") == "1%", "Home shows %r" % st.win.text("DSP2"))
    s.key("End")
    check(st.win.refresh().text("DSP2") == "100%", "End shows %r" % st.win.text("DSP2"))
    # Dragging the thumb to either end shows 1% and 100% as well.
    bar = st.win.control("LongLine2")["rect"]
    for end, want in ((bar[0] - 20, "1%"), (bar[0] + bar[2] + 20, "100%")):
        drag_thumb(st.win, "LongLine2", end)
        check(st.win.refresh().text("DSP2") == want, "the thumb dragged to %d shows %r" % (
            end, st.win.text("DSP2")))
    st.win.refresh()
    st.lengths = {"DSP0": st.win.text("DSP0"), "DSP1": st.win.text("DSP1"), "DSP2": st.win.text("DSP2")}
    check(st.lengths == {"DSP0": "72%", "DSP1": "82%", "DSP2": "100%"}, "read-outs %s" % st.lengths)
    check([st.win.control("LongLine%d" % i)["pos"] for i in range(3)] == [72, 82, 100],
          "scroll bars at %s" % [st.win.control("LongLine%d" % i)["pos"] for i in range(3)])
    s.key("Tab")
    check(st.win.focus() == "CMB", "Tab after LongLine2 reached %s" % st.win.focus())
    s.key("p")  # the drop-down list jumps to the first item starting with P
    check(st.win.refresh().text("CMB") == "Pirrow", "the list shows %r" % st.win.text("CMB"))
    s.key("Tab")
    check(st.win.focus() == "FLD0", "Tab after CMB reached %s" % st.win.focus())
    shot = s.screenshot()
    ec.check_screen_against_table(st.win, shot, preview=st.rows[:80], swatches=st.swatches,
                                  lengths=st.lengths)
    sc.log("hands and shape set")


def build_f1_builds(sc, st):
    """F1 builds the clock tavimore builds from the same inputs, and keeps the texts."""
    s = sc.session
    # F1 in a text field builds, silently.
    s.key("F1")
    st.built = sc.wait_output()
    check(s.no_window_appears("上書き確認", st.editor, 0.5), "a question came up without an old file")
    st.hands = [((0, 0, 64), 72), (st.minute_colour, 82), ((0, 0, 192), 100)]
    expected = sc.tavimore_build(os.path.join(sc.app, "Pirrow.prm"), st.strip, sc.path("expected.exe"),
                                 st.name, st.url, st.mail, st.hands)
    check(st.built == expected, "oriclock.exe (%d bytes) differs from tavimore's (%d bytes)%s" % (
        len(st.built), len(expected), first_difference(st.built, expected)))
    check(len(st.built) == PAYLOAD_OFFSET + len(st.name.encode("cp932")) + len(st.url) + len(st.mail) + 3 + 17
          + 3 * IMAGE_BLOCK, "oriclock.exe is %d bytes" % len(st.built))
    check(sc.ini() == sc.ini_bytes(st.name, st.url, st.mail), "settings after the build: %r" % sc.ini())
    sc.log("built: identical to tavimore build")


def build_clock_runs(sc, st):
    """The clock written runs (and goes on running for the next step)."""
    st.clock = check_clock_runs(sc, st.rows)
    sc.log("the clock runs round with three frames in turn")


def build_running_clock(sc, st):
    """F1 while the clock runs from oriclock.exe, whose file Windows will not let anyone
    replace: a question of its own in place of the overwrite question; No changes nothing,
    Yes ends the clock and makes it again. A clock whose claim we may not open (one started
    as administrator) runs all the same: a second start of it ends at once, and the editor,
    unable to end it, says what to do."""
    s = sc.session
    before = os.stat(sc.output()).st_mtime_ns
    st.win.click("BTN0")  # the clock came up last: the editor may not have the keys
    text = sc.message_box(RUNNING_TITLE, st.editor)
    check(text == RUNNING_TEXT, "question %r" % text)
    sc.answer(RUNNING_TITLE, ["n"], st.editor)
    time.sleep(0.5)
    check(st.clock.poll() is None and os.stat(sc.output()).st_mtime_ns == before,
          "No ended the clock or changed oriclock.exe")
    s.key("F1")
    sc.message_box(RUNNING_TITLE, st.editor)
    sc.answer(RUNNING_TITLE, ["y"], st.editor)
    check(s.wait_exit(st.clock, 10), "Yes did not end the clock")
    end = time.time() + 15
    while time.time() < end and os.stat(sc.output()).st_mtime_ns == before:
        time.sleep(0.2)
    check(os.stat(sc.output()).st_mtime_ns != before and sc.wait_output() == st.built and
          s.no_window_appears("書き込みエラー", st.editor, 0.5), "Yes did not make oriclock.exe again")
    sc.log("running clock: No keeps it, Yes ends it and makes it again")

    holder = s.start(sc.args.probe, "claim", windows_path(sc.output()))
    end = time.time() + 30
    while time.time() < end and b'"held":true' not in open(holder.log, "rb").read():
        time.sleep(0.1)
    second = s.start(sc.output())
    check(s.wait_exit(second, 20), "a clock started while a claim it may not open is held kept running")
    s.key("F1")
    sc.message_box(RUNNING_TITLE, st.editor)
    sc.answer(RUNNING_TITLE, ["y"], st.editor)
    text = sc.message_box("時計を終了できません", st.editor)
    check("終了できませんでした" in text and "もう一度作成してください" in text, "message %r" % text)
    sc.answer("時計を終了できません", ["Return"], st.editor)
    holder.kill()
    holder.wait()
    sc.log("a claim we may not open: the clock ends at once; the editor: %s" % text.replace("\n", " "))


def build_overwrite(sc, st):
    """The overwrite question: No keeps the old clock, Yes replaces it."""
    s = sc.session
    # F1 again (through the button this time): the overwrite question; No keeps the file.
    before = os.stat(sc.output())
    st.win.click("BTN0")
    text = sc.message_box("上書き確認", st.editor)
    check(text == "ファイルを上書きしますか？<oriclock.exe>", "question %r" % text)
    sc.answer("上書き確認", ["n"], st.editor)
    time.sleep(0.5)
    check(open(sc.output(), "rb").read() == st.built and os.stat(sc.output()).st_mtime_ns
          == before.st_mtime_ns, "No changed oriclock.exe")
    # Yes replaces it with the new build. Tabbing into the name selects all of it, so the
    # new name typed replaces the old one.
    st.name = "abc"
    st.win.click("FLD1")
    s.key("shift+Tab")
    s.type_text(st.name)
    check(st.win.refresh().text("FLD0") == st.name, "typing into the focused name gave %r" %
          st.win.text("FLD0"))
    s.key("F1")
    sc.message_box("上書き確認", st.editor)
    sc.answer("上書き確認", ["y"], st.editor)
    replaced = sc.wait_output(previous=st.built)
    expected = sc.tavimore_build(os.path.join(sc.app, "Pirrow.prm"), st.strip, sc.path("expected2.exe"),
                                 st.name, st.url, st.mail, st.hands)
    check(replaced == expected, "Yes did not replace oriclock.exe with the new clock%s" %
          first_difference(replaced, expected))
    check(replaced[PAYLOAD_OFFSET:PAYLOAD_OFFSET + 6] == b"abc\0" + st.url[:2].encode(),
          "the payload does not begin with the new name")
    sc.log("overwrite: No keeps, Yes replaces")


def build_settings_kept(sc, st):
    """Closing without a build keeps the settings; the next start reads them back."""
    s = sc.session
    # Editing without building and closing leaves the settings as they were.
    settings = sc.ini()
    st.win.click("FLD1")
    s.type_text("changed")
    sc.close_with(st.editor, "F12")
    check(sc.ini() == settings, "closing without a build changed the settings")

    # The next start reads the texts back (in the system's ANSI code page).
    st.editor = sc.start_editor()
    st.win = sc.editor_window(st.editor)
    check((st.win.text("FLD0"), st.win.text("FLD1"), st.win.text("FLD2")) == (st.name, st.url, st.mail),
          "fields after a restart: %r" % [st.win.text(n) for n in ("FLD0", "FLD1", "FLD2")])
    sc.close_with(st.editor, "Escape")
    sc.log("settings read back; Esc closes")


BUILD_STEPS = [build_first_start, build_texts, build_picture, build_colour, build_hands_and_shape,
               build_f1_builds, build_clock_runs, build_running_clock, build_overwrite,
               build_settings_kept]


def drag_thumb(win, name, to_x):
    """Drags a scroll bar's thumb with the mouse to client x `to_x` (beyond an end is fine)."""
    s = win.session
    centre, _ = ec.thumb_centre(win, s.screenshot(), name)
    x, y, w, h = win.control(name)["rect"]
    ox, oy = win.origin
    s.xdotool("mousemove", ox + int(centre), oy + y + h // 2)
    s.xdotool("mousedown", 1)
    for step in range(1, 6):
        s.xdotool("mousemove", ox + int(centre + (to_x - centre) * step / 5), oy + y + h // 2)
        time.sleep(0.05)
    s.xdotool("mouseup", 1)
    time.sleep(0.2)


def count_colour(session, window, colour):
    x, y, w, h = window["outer"]
    shot = session.screenshot()
    return sum(1 for j in range(y, y + h) for i in range(x, x + w) if shot.pixel(i, j) == colour)


def first_difference(a, b):
    for i in range(min(len(a), len(b))):
        if a[i] != b[i]:
            return " (first difference at byte %d: %02x, not %02x)" % (i, a[i], b[i])
    return "" if len(a) == len(b) else " (one is a prefix of the other)"


def check_icon(win, shot):
    """The caption shows the editor's own icon: its cream face colour near the left end."""
    ox, oy = win.origin
    cream = (250, 244, 220)
    found = any(max(abs(a - b) for a, b in zip(shot.pixel(i, j), cream)) <= 12
                for j in range(max(0, oy - 22), oy) for i in range(ox, ox + 24))
    check(found, "no icon of ours in the caption")


def check_clock_runs(sc, rows):
    """oriclock.exe starts as a round clock and shows the three frames in turn, one a second;
    returns the running clock."""
    s = sc.session
    behind = s.screenshot()
    clock = s.start(sc.output())
    end = time.time() + 30
    window = None
    while time.time() < end and window is None:
        for w in s.xdotool("search", "--onlyvisible", "--pid", clock.pid, ".",
                           check_result=False).split():
            if s.window_geometry(w)[2:] == (82, 82):
                window = w
        time.sleep(0.1)
    check(window is not None, "oriclock.exe shows no 82 x 82 window")
    x, y, _, _ = s.window_geometry(window)
    time.sleep(1.0)
    seen = []
    taken = []
    for _ in range(9):
        taken.append(time.time())
        shot = s.screenshot()
        scores = [sum(1 for j in range(80) for i in range(80)
                      if shot.pixel(x + i, y + j) == rows[k * 80 + j][i]) for k in range(3)]
        best = max(range(3), key=lambda k: scores[k])
        check(scores[best] > 3000, "the clock shows none of the frames (scores %s)" % scores)
        seen.append(best)
        # Round: the corners show what lay there before the clock came, the middle does not.
        for i, j in ((1, 1), (78, 1), (1, 78), (78, 78)):
            check(shot.pixel(x + i, y + j) == behind.pixel(x + i, y + j),
                  "the clock is not round: its point (%d, %d) covers the screen" % (i, j))
        time.sleep(0.3)
    # Screenshots taken less than a second apart show the same frame or the next; a busy
    # machine may space two of them further apart, and then a frame may fall between them.
    close = [(a, b) for a, b, t0, t1 in zip(seen, seen[1:], taken, taken[1:]) if t1 - t0 < 0.95]
    check(set(seen) == {0, 1, 2}, "frames seen in turn: %s" % seen)
    check(all(b in (a, (a + 1) % 3) for a, b in close),
          "frames out of order: %s, taken %s s apart" %
          (seen, [round(t1 - t0, 2) for t0, t1 in zip(taken, taken[1:])]))
    return clock


# ---------------------------------------------------------------------------------------
def scenario_no_definitions(sc):
    """A folder without definitions: the message, a disabled build button, F1 doing
    nothing, F12 closing; and settings values longer than 254 bytes cut there."""
    s = sc.session
    long_name = "N" * 300
    long_mail = ("あ" * 200) if sc.args.locale == "ja" else ("m" * 260)
    with open(os.path.join(sc.app, "TavimoreE.ini"), "wb") as f:
        f.write(b"[Users]\r\nNAME=" + long_name.encode() + b"\r\nURL=u\r\nMAIL="
                + long_mail.encode(sc.ansi) + b"\r\n")
    editor = sc.start_editor()
    text = sc.message_box("Tavimore", editor)
    check(text == "時計定義ファイルがありません", "message %r" % text)
    sc.answer("Tavimore", ["Return"], editor)
    win = sc.editor_window(editor)
    check(not win.control("BTN0")["enabled"], "the build button is enabled")
    check(win.control("CMB")["items"] == [], "the list holds %s" % win.control("CMB")["items"])
    check(win.text("FLD0") == "N" * 254, "NAME read back as %d characters" % len(win.text("FLD0")))
    want_mail = "あ" * 127 if sc.args.locale == "ja" else "m" * 254
    check(win.text("FLD2") == want_mail, "MAIL read back as %r" % win.text("FLD2")[:10])
    sc.log("message, disabled button, values cut at 254 bytes")
    settings = sc.ini()
    s.key("F1")
    check(s.no_window_appears("上書き確認", editor, 1.0) and
          s.no_window_appears("終了します", editor, 0.1), "F1 opened a dialog")
    check(not os.path.exists(sc.output()), "F1 wrote oriclock.exe")
    check(sc.ini() == settings, "F1 ran the builder (the settings were written)")
    check(s.find_window("Tavimore", editor) is None, "the message came again")
    sc.close_with(editor, "shift+F12")  # the window's keys ignore the shift state
    sc.log("F1 does nothing, F12 (with shift) closes")


def scenario_wrong_pictures(sc):
    """Pictures that are refused: wrong sizes, no picture at all, too many frames. Each one
    leaves AREA empty and the preview as it was, and F1 then writes one image block."""
    s = sc.session
    sc.add_definitions()
    pictures.write_strip(sc.path("tall.bmp"), 80, 100)
    pictures.write_strip(sc.path("wide.bmp"), 160, 80)
    pictures.write_strip(sc.path("good.bmp"), 80, 80)
    pictures.write_plain(sc.path("many.bmp"), 80, 80 * 256, (90, 90, 200))
    with open(sc.path("broken.gif"), "wb") as f:  # the size of a strip, then no picture
        f.write(b"GIF89a" + bytes((80, 0, 80, 0)) + bytes(range(256)) * 4)
    good_rows = pictures.strip_pixels(80, 80)

    editor = sc.start_editor()
    win = sc.editor_window(editor)
    face = win.client_pixel(s.screenshot(), 2, 2)
    sc.choose_picture(win, sc.path("tall.bmp"))
    text = sc.message_box(SIZE_TITLE, editor)
    check(text == SIZE_TEXT, "size message %r" % text)
    sc.answer(SIZE_TITLE, ["Return"], editor)
    shot = s.screenshot()
    ec.check_area_empty(win.refresh(), shot, face)
    ec.check_picture_at(win, shot, 105, 113, [[face] * 80] * 80, 80, "Pic (still empty)")

    # F1 after a refused picture: one image block, what the preview shows.
    s.key("F1")
    built = sc.wait_output()
    check(built[PAYLOAD_OFFSET:PAYLOAD_OFFSET + 3] == b"\0\0\0", "texts not empty")
    check(built[PAYLOAD_OFFSET + 3] == 1, "image count %d after a refused picture" % built[PAYLOAD_OFFSET + 3])
    block = built[PAYLOAD_OFFSET + 3 + 17:]
    check(len(block) == IMAGE_BLOCK, "%d bytes of images" % len(block))
    pixel = bytes((face[2], face[1], face[0], 0))
    check(block == pixel * 6400 + bytes(4), "the image block is not the empty preview")
    sc.log("too tall: refused; F1 wrote one block of the empty preview")

    # An accepted picture, then refused ones: the preview keeps the accepted frame.
    sc.choose_picture(win, sc.path("good.bmp"))
    check(s.no_window_appears(SIZE_TITLE, editor, 0.5), "an 80 x 80 picture was refused")
    # A file that cannot be decoded is not blamed on its size.
    for bad, title, message in (("wide.bmp", SIZE_TITLE, SIZE_TEXT),
                                ("broken.gif", UNREADABLE_TITLE, UNREADABLE_TEXT),
                                ("many.bmp", SIZE_TITLE, None)):
        sc.choose_picture(win, sc.path(bad))
        text = sc.message_box(title, editor)
        if message:
            check(text == message, "%s: message %r" % (bad, text))
        else:
            check("255" in text and text != SIZE_TEXT, "%s: message %r" % (bad, text))
        sc.answer(title, ["Return"], editor)
        shot = s.screenshot()
        win.refresh()
        check(tuple(win.control("AREA")["rect"][2:]) == (82, 82), "AREA is %s" % win.control("AREA")["rect"])
        ec.check_area_empty(win, shot, face)
        ec.check_picture_at(win, shot, 105, 113, good_rows, 80, "Pic after %s" % bad)
        sc.log("%s refused: %s" % (bad, text.replace("\n", " ")))
    s.key("F1")
    sc.message_box("上書き確認", editor)
    sc.answer("上書き確認", ["y"], editor)
    built = sc.wait_output(previous=built)
    hands = [((0, 0, 64), 75), ((0, 0, 128), 80), ((0, 0, 192), 90)]
    expected = sc.tavimore_build(os.path.join(sc.app, win.refresh().text("CMB") + ".prm"),
                                 sc.path("good.bmp"), sc.path("expected.exe"), "", "", "", hands)
    check(built == expected, "after refused pictures the clock is not the accepted frame"
          + first_difference(built, expected))
    sc.log("F1 wrote the accepted frame once")
    sc.close_with(editor, "Escape")


def scenario_unwritable_output(sc):
    """Outputs that cannot be written: the message says so and why, and the old output
    stays as it was."""
    s = sc.session
    sc.add_definitions()
    os.makedirs(os.path.join(sc.output(), "inside"))
    with open(os.path.join(sc.output(), "inside", "keep.txt"), "w") as f:
        f.write("kept")
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    s.key("F1")
    sc.message_box("上書き確認", editor)
    sc.answer("上書き確認", ["y"], editor)
    text = sc.message_box("書き込みエラー", editor)
    check("oriclock.exe" in text and "書き込めませんでした" in text and
          "同じ名前のフォルダーがあります" in text, "error message %r" % text)
    sc.answer("書き込みエラー", ["Return"], editor)
    check(os.path.isdir(sc.output()) and open(os.path.join(sc.output(), "inside", "keep.txt")).read()
          == "kept", "the folder named oriclock.exe was changed")
    check([n for n in os.listdir(sc.app) if n.startswith("oriclock.exe.")] == [],
          "a temporary file was left behind")
    sc.log("a folder in the way: %s" % text.replace("\n", " "))
    sc.close_with(editor, "F12")
    check_full_disk(sc)


def check_full_disk(sc):
    """A full disk: the editor in a small tmpfs beside an old clock, with too little room left
    for the new one. Needs mount (root, where the machine allows it); says so when it cannot."""
    s = sc.session
    mount = sc.path("small")
    os.makedirs(mount)
    needed = sum(os.path.getsize(os.path.join(sc.app, n)) for n in ("TavimoreEdit.exe", "Pirrow.prm"))
    size_kib = (needed + 200000) // 1024
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % size_kib, "tmpfs", mount],
                      stderr=subprocess.DEVNULL).returncode != 0:
        sc.log("full disk: not tested here (a tmpfs cannot be mounted)")
        return
    editor = None
    try:
        for n in ("TavimoreEdit.exe", "Pirrow.prm"):
            shutil.copy(os.path.join(sc.app, n), mount)
        pictures.write_strip(sc.path("one.bmp"), 80, 80)
        pictures.write_strip(sc.path("three.bmp"), 80, 240)
        hands = [((0, 0, 64), 75), ((0, 0, 128), 80), ((0, 0, 192), 90)]
        old = sc.tavimore_build(os.path.join(sc.app, "Pirrow.prm"), sc.path("one.bmp"),
                                os.path.join(mount, "oriclock.exe"), "old", "", "", hands)
        stat = os.statvfs(mount)
        with open(os.path.join(mount, "filler"), "wb") as f:
            # Room for the settings file, not for a clock of three faces (about 132 KB).
            f.write(bytes(max(0, stat.f_bavail * stat.f_frsize - 40000)))
        editor = s.start(os.path.join(mount, "TavimoreEdit.exe"))
        win = sc.editor_window(editor)
        sc.choose_picture(win, sc.path("three.bmp"))
        s.key("F1")
        sc.message_box("上書き確認", editor)
        sc.answer("上書き確認", ["y"], editor)
        text = sc.message_box("書き込みエラー", editor)
        check("oriclock.exe" in text and "書き込めませんでした" in text and
              "空き容量が足りません" in text, "message %r" % text)
        sc.answer("書き込みエラー", ["Return"], editor)
        check(open(os.path.join(mount, "oriclock.exe"), "rb").read() == old,
              "the old clock was changed by the failed build")
        check([n for n in os.listdir(mount) if n.startswith("oriclock.exe.")] == [],
              "a temporary file was left on the full disk")
        sc.log("full disk: %s" % text.replace("\n", " "))
        sc.close_with(editor, "F12")
    finally:
        if editor is not None and editor.poll() is None:
            editor.kill()
            editor.wait()
        for _ in range(20):
            if subprocess.run(["umount", mount], stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.25)


def scenario_missing_definition(sc):
    """A definition that is empty, or deleted after the start, is missing: the message, the
    editor ends, the texts are stored, nothing is written."""
    s = sc.session
    with open(os.path.join(sc.app, "Empty.prm"), "wb"):
        pass
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    check(win.control("CMB")["items"] == ["Empty"], "list %s" % win.control("CMB")["items"])
    s.type_text("kept name")
    s.key("F1")
    text = sc.message_box("終了します", editor)
    check(text == "ファイル構成が正しくありません。", "message %r" % text)
    sc.answer("終了します", ["Return"], editor)
    check(s.wait_exit(editor), "the editor did not end after the message")
    check(not os.path.exists(sc.output()), "oriclock.exe was written")
    check(sc.ini() == sc.ini_bytes("kept name", "", ""), "settings %r" % sc.ini())
    sc.log("empty definition: message, editor ended, texts kept")

    os.remove(os.path.join(sc.app, "Empty.prm"))
    shutil.copy(os.path.join(sc.args.bin, "Pirrow.prm"), sc.app)
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    os.remove(os.path.join(sc.app, "Pirrow.prm"))
    s.key("F1")
    check(sc.message_box("終了します", editor) == "ファイル構成が正しくありません。", "no message")
    sc.answer("終了します", ["Return"], editor)
    check(s.wait_exit(editor), "the editor did not end after the message")
    check(not os.path.exists(sc.output()), "oriclock.exe was written")
    sc.log("definition deleted after the start: the same")


def scenario_long_path(sc):
    """A picture whose path is longer than 255 characters, typed into the open-file dialog."""
    s = sc.session
    sc.add_definitions()
    deep = sc.path(*["a_rather_long_folder_name_number_%02d_for_paths" % i for i in range(6)])
    os.makedirs(deep)
    strip = os.path.join(deep, "strip.bmp")
    pictures.write_strip(strip, 80, 160)
    check(len(windows_path(strip)) > 255, "the path is only %d characters" % len(windows_path(strip)))
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    sc.choose_picture(win, strip)
    check(s.no_window_appears(SIZE_TITLE, editor, 0.5), "the long path was refused")
    shot = s.screenshot()
    rows = pictures.strip_pixels(80, 160)
    ec.check_picture_at(win, shot, 105, 113, rows, 80, "Pic (frame 1 of the long-path picture)")
    check(tuple(win.refresh().control("AREA")["rect"][2:]) == (80, 160), "AREA %s" % win.control("AREA")["rect"])
    s.key("F1")
    built = sc.wait_output()
    check(built[PAYLOAD_OFFSET + 3] == 2, "image count %d" % built[PAYLOAD_OFFSET + 3])
    check(built[PAYLOAD_OFFSET + 20:] == pictures.face_block(rows, 0) + pictures.face_block(rows, 1),
          "the image blocks are not the long-path picture's")
    sc.log("long path (%d characters) chosen and built" % len(windows_path(strip)))
    sc.close_with(editor, "F12")


def make_picture_kinds(sc):
    """Pictures of the kinds people bring, made by ImageMagick from one strip: (file name,
    whether it is lossless)."""
    source = sc.path("source.bmp")
    pictures.write_strip(source, 80, 160)
    alpha = sc.path("alpha.png")  # the top square's left half clear, a band half clear
    subprocess.run(["convert", source, "(", "+clone", "-fill", "white", "-colorize", "100",
                    "-fill", "black", "-draw", "rectangle 0,0 39,79", "-fill", "gray50",
                    "-draw", "rectangle 0,100 79,119", ")", "-alpha", "off", "-compose",
                    "CopyOpacity", "-composite", "png32:" + alpha], check=True)
    made = {
        "palette.png": [source, "png8:"],
        "deep.png": [source, "png48:"],
        "interlaced.png": [source, "-interlace", "PNG", "png24:"],
        "alpha64.png": [alpha, "png64:"],
        "grey.png": [source, "-colorspace", "Gray", "-depth", "4", "png:"],
        "transparent.gif": [alpha, "-channel", "A", "-threshold", "50%", "+channel",
                            "-interlace", "GIF", "gif:"],
        "animated.gif": [source, alpha, "gif:"],
        "rle8.bmp": [source, "-type", "Palette", "-compress", "RLE", "bmp3:"],
        "alpha.bmp": [alpha, "-define", "bmp:subtype=ARGB8888", "bmp:"],
        "photo.jpg": [source, "-quality", "90", "-interlace", "JPEG", "jpg:"],
        "offset.gif": ["-size", "40x30", "xc:red", "-repage", "80x160+20+90", "gif:"],
    }
    for name, args in made.items():
        subprocess.run(["convert"] + args[:-1] + [args[-1] + sc.path(name)], check=True)
    # Top down: the rows of a 24-bit BMP in the other order under a negative height.
    data = pictures.bmp_bytes(pictures.strip_pixels(80, 160))
    at, stride = data[10] | data[11] << 8, 80 * 3
    rows = [data[at + stride * r:at + stride * (r + 1)] for r in range(160)]
    head = bytearray(data[:at])
    head[22:26] = (-160).to_bytes(4, "little", signed=True)
    with open(sc.path("topdown.bmp"), "wb") as f:
        f.write(bytes(head) + b"".join(reversed(rows)))
    return [(name, not name.endswith(".jpg")) for name in list(made) + ["topdown.bmp"]]


def scenario_picture_kinds(sc):
    """Pictures of every kind through the editor, which decodes PNG, GIF and JPEG with
    Windows' own decoders (Wine's here) and BMP with ours: each is accepted, and from a
    lossless one the editor writes byte for byte what tavimore build (Debian's decoders)
    writes."""
    s = sc.session
    sc.add_definitions()
    kinds = make_picture_kinds(sc)
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    hands = [((0, 0, 64), 75), ((0, 0, 128), 80), ((0, 0, 192), 90)]
    definition = os.path.join(sc.app, win.text("CMB") + ".prm")
    for name, lossless in kinds:
        sc.choose_picture(win, sc.path(name))
        check(s.no_window_appears(SIZE_TITLE, editor, 0.5) and
              s.no_window_appears(UNREADABLE_TITLE, editor, 0.1), "%s was refused" % name)
        # Many of the pictures give the same clock: each build starts from no output.
        if os.path.exists(sc.output()):
            os.remove(sc.output())
        s.key("F1")
        built = sc.wait_output()
        expected = sc.tavimore_build(definition, sc.path(name), sc.path("expected.exe"), "", "",
                                     "", hands)
        check(len(built) == len(expected), "%s: %d bytes, tavimore wrote %d" % (name, len(built), len(expected)))
        if lossless:
            check(built == expected, "%s: not what tavimore build writes" % name
                  + first_difference(built, expected))
            sc.log("%s: identical to tavimore build" % name)
        else:
            worst = max(abs(a - b) for a, b in zip(built, expected))
            sc.log("%s: accepted; largest channel difference from tavimore build %d" % (name, worst))
    sc.close_with(editor, "Escape")


SCENARIOS = {
    "build": scenario_build,
    "no_definitions": scenario_no_definitions,
    "wrong_pictures": scenario_wrong_pictures,
    "unwritable_output": scenario_unwritable_output,
    "missing_definition": scenario_missing_definition,
    "long_path": scenario_long_path,
    "picture_kinds": scenario_picture_kinds,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("action", choices=["prefix", "run"])
    parser.add_argument("scenario", nargs="?")
    parser.add_argument("--locale", choices=["C", "ja"], required=True)
    parser.add_argument("--display", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--locale-dir", required=True)
    parser.add_argument("--bin")
    parser.add_argument("--tavimore")
    parser.add_argument("--probe")
    parser.add_argument("--work")
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    if args.action == "prefix":
        start = time.time()
        prepare_prefix(args.prefix, args.display, args.locale, args.locale_dir)
        print("prefix %s ready in %.1f s" % (args.prefix, time.time() - start))
        return 0
    for exe in ("TavimoreEdit.exe",) + tuple(b + ".prm" for b in BUILDS):
        check(os.path.isfile(os.path.join(args.bin, exe)),
              "%s is missing from %s: build the Windows presets first" % (exe, args.bin))
    sc = Scenario(args, args.scenario)
    start = time.time()
    try:
        SCENARIOS[args.scenario](sc)
    except TestFailure:
        # What the screen showed when it went wrong, for whoever reads the failure.
        shot = os.path.join(args.work, "%s-failure.png" % args.scenario)
        try:
            sc.session.screenshot(save_png=shot)
            print("screen at the failure: %s" % shot)
        except Exception:  # the failure itself matters more than its picture
            pass
        raise
    finally:
        sc.session.stop()
    print("%s (%s): passed in %.1f s" % (args.scenario, args.locale, time.time() - start))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except TestFailure as failure:
        print("FAILED: %s" % failure, flush=True)
        sys.exit(1)
