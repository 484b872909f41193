#!/usr/bin/env python3
"""TavimoreEdit as files, without Wine: both builds exist (PE32 for 32-bit Windows, what we
ship, and PE32+ for 64-bit), are window programs importing only Windows' own DLLs (so they
run from a folder of their own), carry their icon, manifest and version, and have the five
clock programs beside them as "<Build>.prm", byte for byte. The manifest of every program,
the editor's and each clock's, is read as XML: Windows refuses to start a program whose
manifest is not well formed or whose version is not four numbers (Wine starts it), and
without the list of systems the program was made for Windows applies compatibility shims.

    editor_binaries_test.py WIN32_BIN WIN64_BIN
"""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

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

# The supportedOS identifiers of Windows 7, 8, 8.1 and 10/11.
SUPPORTED_OS = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
ASM = "{urn:schemas-microsoft-com:asm.v1}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
TRUST = "{urn:schemas-microsoft-com:asm.v3}"

failures = []


def check(condition, message):
    print(("ok:     " if condition else "FAILED: ") + message)
    if not condition:
        failures.append(message)


def check_manifest(exe, editor):
    """The manifest resource, the program's only XML text, as Windows reads it."""
    data = open(exe, "rb").read()
    start = data.find(b"<?xml")
    end = data.find(b"</assembly>", start)
    check(start >= 0 and end > start, "%s holds a manifest" % exe)
    if start < 0 or end < start:
        return
    try:
        root = ET.fromstring(data[start:end + len(b"</assembly>")])
    except ET.ParseError as error:
        check(False, "%s: its manifest is well-formed XML (%s)" % (exe, error))
        return
    identity = root.find(ASM + "assemblyIdentity")
    version = identity.get("version", "") if identity is not None else ""
    parts = version.split(".")
    check(root.tag == ASM + "assembly" and len(parts) == 4 and
          all(p.isdigit() and int(p) <= 65535 for p in parts),
          "%s: manifest version %r is four numbers" % (exe, version))
    ids = {os_.get("Id") for os_ in root.findall("%scompatibility/%sapplication/%ssupportedOS" % (
        COMPAT, COMPAT, COMPAT))}
    check(ids == SUPPORTED_OS, "%s: the manifest names Windows 7 to 11 (%s)" % (exe, sorted(ids)))
    if editor:
        level = root.find("%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel"
                          % ((TRUST,) * 4))
        check(level is not None and level.get("level") == "asInvoker",
              "%s: the manifest asks for the user's own rights" % exe)


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
        check_manifest(exe, editor=True)
        for build in BUILDS:
            check_manifest(os.path.join(bin_dir, build + ".exe"), editor=False)
            prm = os.path.join(bin_dir, build + ".prm")
            clock = os.path.join(bin_dir, build + ".exe")
            same = (os.path.isfile(prm) and os.path.isfile(clock) and
                    open(prm, "rb").read() == open(clock, "rb").read())
            check(same, "%s is a copy of %s" % (prm, clock))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
