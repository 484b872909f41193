#!/usr/bin/env python3
"""TavimoreEdit as files, without Wine: both builds exist (PE32 for 32-bit Windows, what we
ship, and PE32+ for 64-bit), are window programs importing only Windows' own DLLs (so they
run from a folder of their own), carry their icon, manifest and version, and have the five
clock programs beside them as "<Build>.prm", byte for byte.

    editor_binaries_test.py WIN32_BIN WIN64_BIN
"""
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from build_names import build_names  # noqa: E402

BUILDS = build_names()
# Every DLL the editor may import: all part of Windows itself (ole32 and windowscodecs
# for the picture decoders).
ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "msvcrt.dll", "ole32.dll",
           "windowscodecs.dll"}
# Resource types (winuser.h): icon 3, icon group 14, version 16, manifest 24.
WANTED_RESOURCES = {3, 14, 16, 24}

failures = []


def check(condition, message):
    print(("ok:     " if condition else "FAILED: ") + message)
    if not condition:
        failures.append(message)


def main(win32_bin, win64_bin):
    for bin_dir, objdump, magic in ((win32_bin, "i686-w64-mingw32-objdump", "010b"),
                                    (win64_bin, "x86_64-w64-mingw32-objdump", "020b")):
        exe = os.path.join(bin_dir, "TavimoreEdit.exe")
        if not os.path.isfile(exe):
            check(False, "%s exists" % exe)
            continue
        headers = subprocess.run([objdump, "-p", exe], stdout=subprocess.PIPE, check=True,
                                 universal_newlines=True).stdout
        check(re.search(r"^Magic\s+%s" % magic, headers, re.M) is not None,
              "%s is a %s program" % (exe, "PE32" if magic == "010b" else "PE32+"))
        check(re.search(r"^Subsystem\s+00000002", headers, re.M) is not None,
              "%s is a window (GUI) program" % exe)
        dlls = {d.lower() for d in re.findall(r"^\tDLL Name: (\S+)", headers, re.M)}
        check(dlls and dlls <= ALLOWED, "%s imports only Windows' own DLLs (%s)" % (
            exe, " ".join(sorted(dlls))))
        types = {int(t, 16) for t in re.findall(r"^[0-9a-f]+\s+Entry: ID: 0x([0-9a-f]+),",
                                                  headers, re.M)}
        check(WANTED_RESOURCES <= types, "%s has icon, version and manifest resources (%s)" % (
            exe, sorted(types)))
        for build in BUILDS:
            prm = os.path.join(bin_dir, build + ".prm")
            clock = os.path.join(bin_dir, build + ".exe")
            same = (os.path.isfile(prm) and os.path.isfile(clock) and
                    open(prm, "rb").read() == open(clock, "rb").read())
            check(same, "%s is a copy of %s" % (prm, clock))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
