"""A folder without definitions: the message, a disabled build button, F1 doing
nothing, F12 closing; and settings values longer than 254 bytes cut there."""
import os
from editor_session import check


def run(sc):
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
