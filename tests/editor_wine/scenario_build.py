"""First start, the whole window against its table, a clock built from typed texts, a
picture, a colour and a shape, the clock running, and the overwrite question: the steps
of BUILD_STEPS in turn, sharing what they set up in `st`."""
import os
import time
import types

import pictures
from editor_session import (IMAGE_BLOCK, PAYLOAD_OFFSET, BUILDS, RUNNING_TEXT, RUNNING_TITLE,
                            TestFailure, check, ec, first_difference, windows_path)


def run(sc):
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
    ec.check_preview(st.win, shot, st.rows, "Pic (frame 1)")
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
    """The clock written runs (and goes on running for the next step), started by another
    drive letter for its folder (Q:, as subst makes), which the editor must see through.
    Wine names a file by its deepest drive and numbers its volume after that drive's letter:
    Q: stays until the editor has ended the clock."""
    os.symlink(sc.app, os.path.join(sc.session.prefix, "dosdevices", "q:"))
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
    os.remove(os.path.join(s.prefix, "dosdevices", "q:"))
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
