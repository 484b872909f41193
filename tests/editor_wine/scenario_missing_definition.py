"""A definition that is empty, or deleted after the start, is missing: the message, the
editor ends, the texts are stored, nothing is written."""
import os
import shutil
from editor_session import check


def run(sc):
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
