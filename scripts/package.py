#!/usr/bin/env python3
"""Makes the release zips from the Windows build trees:

    package.py --dist DIST [--win32 BIN] [--win64 BIN] [--web SITE]

writes DIST/tavimore-<version>-win32.zip (and -win64.zip), each holding one folder
tavimore-<version>-<arch>/ with the editor, its five .prm definitions, the five clocks ready
to run, tavimore.exe, the three sample strips as BMP, the Japanese read-me and the licences;
DIST/tavimore-<version>-web.zip, the editor as a web page for any static web server (the
page, the core in WebAssembly, the five 32-bit clock programs it builds clocks from); and
DIST/SHA256SUMS, the SHA-256 of every zip made, in the form sha256sum -c reads.

Choices a Windows user meets:
- The sample strips go in as 24-bit BMP, not PNG: the editor's open-file dialog lists
  *.bmp, *.jpg and *.gif, and BMP keeps every pixel of the PNG strips.
- The read-me is UTF-8 with a byte order mark and CRLF line ends: with the mark, Notepad
  opens it as UTF-8 on every Windows (Japanese or not, old or new), where Shift-JIS reads
  only on Japanese Windows; without CRLF, the Notepad of Windows 7 and 8 runs it into one line.
- File names are stored as UTF-8 with the zip's UTF-8 flag (general purpose bit 11), which
  Windows' own zip folders, 7-Zip and unzip honour, so the Japanese name arrives intact.
- The same inputs give the same zip bytes: entries in a fixed order, every time stamp that
  of the last commit (or SOURCE_DATE_EPOCH), fixed permission fields and no owner, extra
  field or comment. With the programs built alike in any folder at any time (see the
  top-level CMakeLists.txt), anyone can rebuild a release from its commit and compare.
- tavimore.exe is stripped of its symbol table (half its size); the other programs are
  already built stripped and go in byte for byte.
"""
import argparse
import hashlib
import os
import re
import struct
import subprocess
import sys
import time
import zipfile

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pictures  # noqa: E402
from build_names import build_names  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILDS = build_names(ROOT)
SAMPLES = ["moon", "sakura", "sunset"]
README_NAME = "はじめにお読みください.txt"
STRIP = {"win32": "i686-w64-mingw32-strip", "win64": "x86_64-w64-mingw32-strip"}
UTF8_BOM = b"\xef\xbb\xbf"
# The zip's "made by" system is Unix (3), whose permission bits go in the top half of the
# external attributes. Made by MS-DOS (0) would look more Windows-like, but then Info-ZIP's
# unzip converts the names from an MS-DOS code page and ignores the UTF-8 flag.
MADE_BY_UNIX = 3
PROGRAM_MODE = 0o100755  # a regular file anyone may read and run
FILE_MODE = 0o100644
# The earliest time a zip's MS-DOS date can hold.
ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC


def version():
    text = open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8").read()
    return re.search(r"project\(Tavimore VERSION ([0-9.]+)", text).group(1)


def git(*args):
    """The output of a git command in the source folder, or None."""
    result = subprocess.run(["git", "-C", ROOT] + list(args), stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, universal_newlines=True)
    return result.stdout.strip() if result.returncode == 0 else None


def timestamp():
    """SOURCE_DATE_EPOCH, else the time of the last commit, else the zip epoch. Only a
    checkout of this source counts: a copy unpacked inside some other repository would
    otherwise take that repository's last commit."""
    value = os.environ.get("SOURCE_DATE_EPOCH")
    if not value:
        top = git("rev-parse", "--show-toplevel")
        own = top is not None and os.path.realpath(top) == os.path.realpath(ROOT)
        value = (git("log", "-1", "--format=%ct") if own else None) or ""
    seconds = max(int(value) if value else ZIP_EPOCH, ZIP_EPOCH)
    return time.gmtime(seconds)[:6]


def windows_text(path, bom=False):
    """A text file of the repository as Windows programs expect it: CRLF line ends."""
    text = open(path, "rb").read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return (UTF8_BOM if bom else b"") + text


def link_time(exe):
    """The time stamp the linker wrote into a PE file's header (at the offset stored at
    0x3C, after the 4-byte signature and two 2-byte fields)."""
    data = open(exe, "rb").read(4096)
    header = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, header + 8)[0]


def stripped(exe, arch, work):
    """The program without its symbol table. Strip stamps the file's header with the
    current time unless SOURCE_DATE_EPOCH says otherwise; it keeps the linker's time."""
    out = os.path.join(work, "tavimore-%s.exe" % arch)
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(link_time(exe)))
    subprocess.run([STRIP[arch], "-o", out, exe], check=True, env=env)
    data = open(out, "rb").read()
    os.remove(out)
    return data


def contents(bin_dir, arch, work):
    """(name in the folder, bytes) in the order they go into the zip."""
    def program(name):
        path = os.path.join(bin_dir, name)
        if not os.path.isfile(path):
            raise SystemExit("package: %s is missing (build the %s preset first)" % (path, arch))
        return open(path, "rb").read()

    # The read-me names the version where it says @VERSION@, from its one place.
    readme = windows_text(os.path.join(ROOT, "package", "readme-ja.txt"), bom=True)
    files = [(README_NAME, readme.replace(b"@VERSION@", version().encode())),
             ("LICENSE.txt", windows_text(os.path.join(ROOT, "LICENSE"))),
             ("THIRD-PARTY-NOTICES.txt",
              windows_text(os.path.join(ROOT, "package", "third-party-notices.txt"))),
             ("TavimoreEdit.exe", program("TavimoreEdit.exe"))]
    # The definitions are the clock programs themselves, under the name the editor lists.
    files += [(b + ".prm", program(b + ".exe")) for b in BUILDS]
    files += [(b + ".exe", program(b + ".exe")) for b in BUILDS]
    program("tavimore.exe")
    files.append(("tavimore.exe", stripped(os.path.join(bin_dir, "tavimore.exe"), arch, work)))
    for sample in SAMPLES:
        strip = pictures.read_png(os.path.join(ROOT, "samples", sample + ".png"))
        files.append((sample + ".bmp", pictures.bmp_bytes(strip)))
    return files


# The web page's files in the order they go into the zip; the clock programs follow.
WEB_FILES = ["index.html", "style.css", "page.js", "page_state.js", "hands.js", "strip_view.js",
             "preview.js", "settings.js", "clock_file.js", "texts.js", "core_bridge.js",
             "picture_input.js", "crop_view.js", "tavimore_core.js", "tavimore_core.wasm"]


def web_contents(site):
    """(name in the folder, bytes) of the web zip. The clock programs must be the 32-bit
    ones: a clock made in the page is the clock the win32 zip's editor makes."""
    def page_file(name):
        path = os.path.join(site, name)
        if not os.path.isfile(path):
            raise SystemExit("package: %s is missing (build the web preset first)" % path)
        return open(path, "rb").read()

    files = [("README.txt", windows_text(os.path.join(ROOT, "package", "readme-web.txt"))),
             ("LICENSE.txt", windows_text(os.path.join(ROOT, "LICENSE")))]
    files += [(name, page_file(name)) for name in WEB_FILES]
    files += [("clocks/%s.exe" % b, page_file(os.path.join("clocks", b + ".exe"))) for b in BUILDS]
    return files


def write_zip(path, folder, files, date_time):
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in files:
            info = zipfile.ZipInfo(folder + "/" + name, date_time)
            info.create_system = MADE_BY_UNIX
            mode = PROGRAM_MODE if name.endswith(".exe") else FILE_MODE
            info.external_attr = mode << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data, compresslevel=9)
    os.replace(partial, path)  # a zip that is there is complete


def write_checksums(dist, paths):
    """DIST/SHA256SUMS for the zips just made, by name, as sha256sum writes it (two spaces:
    a text-mode mark would be a space and an asterisk)."""
    lines = []
    for path in sorted(paths, key=os.path.basename):
        digest = hashlib.sha256(open(path, "rb").read()).hexdigest()
        lines.append("%s  %s\n" % (digest, os.path.basename(path)))
    sums = os.path.join(dist, "SHA256SUMS")
    with open(sums + ".partial", "w", encoding="ascii", newline="\n") as f:
        f.write("".join(lines))
    os.replace(sums + ".partial", sums)
    return sums


def main():
    parser = argparse.ArgumentParser(description="Makes the release zips.")
    parser.add_argument("--dist", default=os.path.join(ROOT, "dist"))
    parser.add_argument("--win32", default=os.path.join(ROOT, "build", "win32", "bin"))
    parser.add_argument("--win64", default=os.path.join(ROOT, "build", "win64", "bin"))
    parser.add_argument("--web", default=os.path.join(ROOT, "build", "web", "site"))
    args = parser.parse_args()
    os.makedirs(args.dist, exist_ok=True)
    date_time = timestamp()
    made = []
    for arch, bin_dir in (("win32", args.win32), ("win64", args.win64)):
        folder = "tavimore-%s-%s" % (version(), arch)
        files = contents(bin_dir, arch, args.dist)
        path = os.path.join(args.dist, folder + ".zip")
        write_zip(path, folder, files, date_time)
        made.append(path)
        print("package: %s (%d bytes, %d files)" % (path, os.path.getsize(path), len(files)))
    folder = "tavimore-%s-web" % version()
    files = web_contents(args.web)
    path = os.path.join(args.dist, folder + ".zip")
    write_zip(path, folder, files, date_time)
    print("package: %s (%d bytes, %d files)" % (path, os.path.getsize(path), len(files)))
    made.append(path)
    print("package: %s" % write_checksums(args.dist, made))


if __name__ == "__main__":
    main()
