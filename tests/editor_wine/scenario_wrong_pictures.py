"""Pictures that are refused: wrong sizes, no picture at all, too many frames. Each one
leaves AREA empty and the preview as it was, and F1 then writes one image block."""
import os

import pictures
from editor_session import (IMAGE_BLOCK, PAYLOAD_OFFSET, SIZE_TEXT, SIZE_TITLE, UNREADABLE_TEXT,
                            UNREADABLE_TITLE, check, ec, first_difference)


def run(sc):
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
    ec.check_preview(win, shot, [[face] * 80] * 80, "Pic (still empty)")

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
        ec.check_preview(win, shot, good_rows, "Pic after %s" % bad)
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
