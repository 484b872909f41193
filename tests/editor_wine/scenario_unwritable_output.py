"""Outputs that cannot be written: the message says so and why, and the old output
stays as it was."""
import os
import shutil
import subprocess
import time

import pictures
from editor_session import check


def run(sc):
    sc.add_definitions()
    os.makedirs(os.path.join(sc.output(), "inside"))
    with open(os.path.join(sc.output(), "inside", "keep.txt"), "w") as f:
        f.write("kept")
    editor = sc.start_editor()
    sc.editor_window(editor)
    text = refused_overwrite(sc, editor, "同じ名前のフォルダーがあります")
    check(text.endswith("\\oriclock.exe: is a folder"), "reason %r" % text.splitlines()[-1])
    check(os.path.isdir(sc.output()) and open(os.path.join(sc.output(), "inside", "keep.txt")).read()
          == "kept", "the folder named oriclock.exe was changed")
    check([n for n in os.listdir(sc.app) if n.startswith("oriclock.exe.")] == [],
          "a temporary file was left behind")
    sc.log("a folder in the way: %s" % text.replace("\n", " "))
    sc.close_with(editor, "F12")
    check_full_disk(sc)


def refused_overwrite(sc, editor, why):
    """F1 and Yes to the overwrite question: the message that oriclock.exe could not be
    written, and `why`, closed with Return; returns its text."""
    sc.session.key("F1")
    sc.message_box("上書き確認", editor)
    sc.answer("上書き確認", ["y"], editor)
    text = sc.message_box("書き込みエラー", editor)
    check("oriclock.exe" in text and "書き込めませんでした" in text and why in text,
          "error message %r" % text)
    sc.answer("書き込みエラー", ["Return"], editor)
    return text


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
        text = refused_overwrite(sc, editor, "空き容量が足りません")
        # The reason in the C library's words for the system's "disk full".
        check(text.endswith(".partial0: could not be written completely (No space left on device)"),
              "reason %r" % text.splitlines()[-1])
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
