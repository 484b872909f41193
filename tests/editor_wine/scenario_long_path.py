"""A picture whose path is longer than 255 characters, typed into the open-file dialog."""
import os

import pictures
from editor_session import PAYLOAD_OFFSET, SIZE_TITLE, check, ec, windows_path


def run(sc):
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
    ec.check_preview(win, shot, rows, "Pic (frame 1 of the long-path picture)")
    check(tuple(win.refresh().control("AREA")["rect"][2:]) == (80, 160), "AREA %s" % win.control("AREA")["rect"])
    s.key("F1")
    built = sc.wait_output()
    check(built[PAYLOAD_OFFSET + 3] == 2, "image count %d" % built[PAYLOAD_OFFSET + 3])
    check(built[PAYLOAD_OFFSET + 20:] == pictures.face_block(rows, 0) + pictures.face_block(rows, 1),
          "the image blocks are not the long-path picture's")
    sc.log("long path (%d characters) chosen and built" % len(windows_path(strip)))
    sc.close_with(editor, "F12")
