"""Running the editor under Wine in a virtual X screen, and looking at it as a person would.

A Session owns one Xvfb display, one Wine prefix (made once per locale by the prefix
fixture, see prepare_prefix) and one folder holding the editor and its definitions. Keys and
clicks go through xdotool; what is on the screen is read from screenshots of the X root
window and, for texts and focus, with window_probe.exe, which asks the window system the way
an accessibility tool does. Every process started here is stopped by its own id.

Prefixes are made, and programs started and found, the way scripts/private_wine.sh does it
for the shell tests, benchmarks and scripts; everything runs inside the Debian 13 root whose
Wine runs the 32-bit programs as well as the 64-bit ones (scripts/in_wine_root.sh).
"""
import json
import os
import shutil
import signal
import subprocess
import time

WINE = "/usr/lib/wine/wine64"
SCREEN = (800, 600)
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
PRIVATE_WINE = os.path.join(SOURCE, "scripts", "private_wine.sh")
PRIVATE_X = os.path.join(SOURCE, "scripts", "private_x.sh")


class TestFailure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def locale_environment(locale, locale_dir):
    """Variables that make Wine report code page 932 and Japanese names (ja), or the
    machine's default 1252 (C)."""
    if locale == "ja":
        return {"LOCPATH": locale_dir, "LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}
    return {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}


class Xvfb:
    """The display, served by scripts/private_x.sh, the one way our tests start one."""

    def __init__(self, display, screen=SCREEN):
        self.process = subprocess.Popen(
            ["bash", PRIVATE_X, "serve", display.lstrip(":"), "%dx%dx24" % screen, "-br"],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if self.process.stdout.readline().strip() != b"ready":
            said = self.process.communicate()[1].decode("utf-8", "replace")
            raise TestFailure("no X server on %s: %s" % (display, said.strip()))

    def stop(self):
        self.process.terminate()
        self.process.communicate()


def prepare_prefix(prefix, display, locale, locale_dir):
    """A new Wine prefix, made by scripts/private_wine.sh in the given locale."""
    if os.path.exists(prefix):
        shutil.rmtree(prefix)
    os.makedirs(os.path.dirname(prefix), exist_ok=True)
    if locale == "ja" and not os.path.exists(os.path.join(locale_dir, "ja_JP.UTF-8")):
        os.makedirs(locale_dir, exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                        os.path.join(locale_dir, "ja_JP.UTF-8")], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xvfb = Xvfb(display)
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix, WINEDEBUG="-all",
               **locale_environment(locale, locale_dir))
    try:
        subprocess.run(["bash", PRIVATE_WINE, "prefix"], env=env, check=True,
                       stdout=subprocess.DEVNULL, timeout=300)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
        xvfb.stop()


class Program:
    """A Windows program started under Wine, used like a Popen: poll, wait, kill, returncode,
    and pid, the process that runs the program (its windows carry that id).

    The program's own process is found by scripts/private_wine.sh, as for the shell tests:
    under Wine's WoW64 mode a 32-bit program runs in a process of its own, and the process
    started is a launcher; `taken` are the processes of other Programs."""

    def __init__(self, exe, args, env, cwd, log, taken):
        self.log = log
        with open(log, "wb") as out:
            self.launcher = subprocess.Popen([WINE, exe] + list(args), env=env, cwd=cwd,
                                             stdout=out, stderr=subprocess.STDOUT)
        found = subprocess.run(["bash", PRIVATE_WINE, "program-pid", str(self.launcher.pid), exe]
                               + [str(p) for p in taken], env=env, stdout=subprocess.PIPE,
                               check=True, timeout=60).stdout.split()
        self.pid = int(found[0]) if found else None

    @property
    def returncode(self):
        return self.launcher.returncode

    def poll(self):
        return self.launcher.poll()

    def wait(self, timeout=None):
        return self.launcher.wait(timeout)

    def kill(self):
        if self.pid is not None and self.pid != self.launcher.pid:
            try:
                os.kill(self.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.launcher.poll() is None:
            self.launcher.kill()


def windows_path(unix_path):
    """The path as the program sees it through Wine's drive Z:."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class Screenshot:
    """The whole X screen; pixel(x, y) is (r, g, b)."""

    def __init__(self, ppm):
        # P6 header: magic, width, height, maxval, each followed by whitespace.
        fields = []
        i = 0
        while len(fields) < 4:
            while ppm[i:i + 1].isspace():
                i += 1
            j = i
            while not ppm[j:j + 1].isspace():
                j += 1
            fields.append(ppm[i:j])
            i = j
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[i + 1:]
        check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])


class Session:
    def __init__(self, name, locale, display, prefix, locale_dir, probe, work_root,
                 screen=SCREEN):
        self.locale = locale
        self.display = display
        self.prefix = prefix
        self.probe_exe = probe
        self.folder = os.path.join(work_root, name)
        if os.path.exists(self.folder):
            shutil.rmtree(self.folder)
        os.makedirs(self.folder)
        self.app = os.path.join(self.folder, "app")
        os.makedirs(self.app)
        self.env = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix, WINEDEBUG="-all",
                        **locale_environment(locale, locale_dir))
        self.processes = []
        self.clipboard = None
        self.xvfb = Xvfb(display, screen)
        self.editor = None

    # -- processes ---------------------------------------------------------------------
    def start(self, exe, *args):
        """Starts a Windows program; what Wine says on its way goes to a log beside the test's
        files, named after the process."""
        log = os.path.join(self.folder, "wine-%d.log" % len(self.processes))
        taken = {p.pid for p in self.processes if p.pid is not None}
        process = Program(exe, args, self.env, os.path.dirname(exe), log, taken)
        self.processes.append(process)
        return process

    def start_editor(self):
        self.editor = self.start(os.path.join(self.app, "TavimoreEdit.exe"))
        return self.editor

    def wait_exit(self, process, timeout=15):
        try:
            process.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def stop(self):
        for process in self.processes:
            process.kill()
            process.wait()
        if self.clipboard and self.clipboard.poll() is None:
            self.clipboard.kill()
            self.clipboard.wait()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        self.xvfb.stop()

    # -- finding windows ---------------------------------------------------------------
    def xdotool(self, *args, check_result=True):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if check_result:
            check(result.returncode == 0, "xdotool %s failed" % " ".join(map(str, args)))
        return result.stdout.decode()

    def find_window(self, title, process=None):
        """The visible top-level window titled exactly `title`, as the probe describes it, or
        None. Titles are compared by the window system itself: xdotool's name patterns match
        Japanese titles that are not there. (`process` is kept for the callers' sake: the
        prefix runs only the programs of one test.)"""
        result = subprocess.run([WINE, self.probe_exe, "window", title], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)
        try:
            data = json.loads(result.stdout.decode("utf-8"))
        except ValueError:
            return None
        return data if data.get("found") else None

    def wait_window(self, title, process=None, timeout=30):
        end = time.time() + timeout
        while time.time() < end:
            window = self.find_window(title, process)
            if window:
                return window
            if process is not None and process.poll() is not None:
                said = open(process.log, "rb").read().decode("utf-8", "replace")[-2000:]
                raise TestFailure("the program ended (exit code %s) before a window titled %r "
                                  "appeared; Wine said: %s" % (process.returncode, title, said))
            time.sleep(0.05)
        raise TestFailure("no window titled %r appeared within %d s" % (title, timeout))

    def wait_gone(self, title, process=None, timeout=10):
        end = time.time() + timeout
        while time.time() < end:
            if not self.find_window(title, process):
                return
            time.sleep(0.05)
        raise TestFailure("the window %r did not close" % title)

    def window_geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def no_window_appears(self, title, process=None, wait=1.0):
        end = time.time() + wait
        while time.time() < end:
            if self.find_window(title, process):
                return False
            time.sleep(0.05)
        return True

    # -- looking -------------------------------------------------------------------------
    def probe(self, title):
        data = self.find_window(title)
        check(data, "the window %r is not there" % title)
        return data

    def listing(self, pattern):
        result = subprocess.run([WINE, self.probe_exe, "list", pattern], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)
        return json.loads(result.stdout.decode("utf-8"))["names"]

    def screenshot(self, save_png=None, crop=None):
        """The whole screen; `save_png` also keeps it as a PNG file, cut to `crop` (x, y,
        width, height) when given."""
        time.sleep(0.3)  # let the programs repaint after the last input
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True).stdout
        if save_png:
            cut = ["-crop", "%dx%d+%d+%d" % tuple(crop[2:] + crop[:2]), "+repage"] if crop else []
            subprocess.run(["import", "-window", "root"] + cut + ["png:" + save_png],
                           env=self.env, check=True)
        return Screenshot(ppm)

    # -- acting ----------------------------------------------------------------------------
    def key(self, *keys):
        self.xdotool("key", "--delay", 60, *keys)
        time.sleep(0.1)

    def type_text(self, text):
        self.xdotool("type", "--delay", 50, text)
        time.sleep(0.1)

    def paste_text(self, text):
        """Puts `text` on the clipboard and pastes it with ctrl+v, the reliable way to give a
        program Japanese text here."""
        if self.clipboard and self.clipboard.poll() is None:
            self.clipboard.kill()
            self.clipboard.wait()
        self.clipboard = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"],
                                          stdin=subprocess.PIPE, env=self.env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard.stdin.write(text.encode("utf-8"))
        self.clipboard.stdin.close()
        time.sleep(0.3)
        self.key("ctrl+v")
        time.sleep(0.2)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.05)
        self.xdotool("click", button)
        time.sleep(0.15)
