"""What the editor's scenarios under Wine share: a Scenario is one scenario's session (see
wine_session.Session) with a folder holding TavimoreEdit.exe and, where it needs them, the
five .prm definitions from --bin, and the steps a person takes with the editor's dialogs.
What the editor writes is compared with what the command line `tavimore build` writes from
the same inputs.
"""
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

import editor_checks as ec  # noqa: E402
from build_names import build_names  # noqa: E402
from wine_session import Session, TestFailure, check, windows_path  # noqa: E402

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
    def __init__(self, args, name, screen):
        self.args = args
        self.session = Session(name, args.locale, args.display, args.prefix, args.locale_dir,
                               args.probe, args.work, screen)
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
        return self.session.start_editor()

    def editor_window(self, process, dpi=96):
        win = ec.EditorWindow(self.session, process, dpi)
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


def first_difference(a, b):
    for i in range(min(len(a), len(b))):
        if a[i] != b[i]:
            return " (first difference at byte %d: %02x, not %02x)" % (i, a[i], b[i])
    return "" if len(a) == len(b) else " (one is a prefix of the other)"
