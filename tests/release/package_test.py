#!/usr/bin/env python3
"""The release zips as a person downloads them: scripts/package.sh is run (twice), and each
zip is unpacked with Info-ZIP's unzip, as it would be by hand, and checked:

- exactly the expected files, in one folder named after the release, no DLL among them, the
  Japanese name stored as UTF-8 and unpacked intact; the two runs give the same bytes;
- every .exe and .prm is a Windows program of the zip's kind (PE32 for win32, PE32+ for
  win64) importing only Windows' own DLLs; the editor and clocks are window programs,
  tavimore.exe a console one;
- the clocks, as .exe and as .prm, are at most 32768 bytes; each .prm is byte for byte its
  clock, and both are the clock programs of the build tree (the zip is current);
- the sample strips give exactly the clocks their PNG sources in samples/ give, with 8, 4
  and 1 face pictures;
- the read-me opens in Notepad as UTF-8 (byte order mark, CRLF) and tells the five steps,
  the five clocks, where the settings are kept and the licence; LICENSE.txt is the
  repository's LICENSE;
- the web zip holds exactly the page of the web build tree, with the 32-bit clock programs
  of the win32 tree (a clock made in the page is the win32 editor's clock), the same each
  time it is made.

    package_test.py --source ROOT --work DIR --tavimore TAVIMORE
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import zipfile

BUILDS = ["Varnet", "Ossimar", "Pirrow", "Quellet", "Damsole"]
SAMPLE_FACES = {"moon": 8, "sakura": 4, "sunset": 1}
README = "はじめにお読みください.txt"
EXPECTED = ({README, "LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "TavimoreEdit.exe", "tavimore.exe"} |
            {b + ".exe" for b in BUILDS} | {b + ".prm" for b in BUILDS} |
            {s + ".bmp" for s in SAMPLE_FACES})
# Every DLL a program may import: all part of Windows itself, on every version we ship for
# (windowscodecs.dll, the picture decoders, since Vista and XP SP3).
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
                "shell32.dll", "shlwapi.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
                "msvcrt.dll", "ntdll.dll", "windowscodecs.dll"}
CLOCK_LIMIT = 32768
# Per zip: objdump, the optional header's magic and objdump's name of the file format.
ARCHES = {"win32": ("i686-w64-mingw32-objdump", "010b", "pei-i386"),
          "win64": ("x86_64-w64-mingw32-objdump", "020b", "pei-x86-64")}
GUI, CONSOLE = "00000002", "00000003"  # PE subsystems
UTF8_FLAG = 0x800  # zip general purpose bit 11: the name is UTF-8
WEB_PAGE = ["index.html", "app.js", "style.css", "tavimore_core.js", "tavimore_core.wasm"]
WEB_EXPECTED = (["README.txt", "LICENSE.txt"] + WEB_PAGE +
                ["clocks/%s.exe" % b for b in BUILDS])

failures = []


def check(condition, message):
    print(("ok:     " if condition else "FAILED: ") + message, flush=True)
    if not condition:
        failures.append(message)
    return condition


def read(path):
    with open(path, "rb") as f:
        return f.read()


def version(source):
    text = open(os.path.join(source, "CMakeLists.txt"), encoding="utf-8").read()
    return re.search(r"project\(Tavimore VERSION ([0-9.]+)", text).group(1)


def run_packaging(source, dist):
    shutil.rmtree(dist, ignore_errors=True)
    subprocess.run(["bash", os.path.join(source, "scripts", "package.sh"), "--no-build", dist],
                   check=True)


def check_listing(path, folder):
    with zipfile.ZipFile(path) as z:
        infos = z.infolist()
    names = [i.filename for i in infos]
    check(all(n.startswith(folder + "/") for n in names), "%s: everything inside %s/" % (
        os.path.basename(path), folder))
    inside = {n[len(folder) + 1:] for n in names}
    check(inside == EXPECTED and len(names) == len(EXPECTED), "%s holds exactly the release files "
          "(extra %s, missing %s)" % (os.path.basename(path), sorted(inside - EXPECTED),
                                     sorted(EXPECTED - inside)))
    check(not any(n.lower().endswith(".dll") for n in names), "%s has no DLL" % path)
    for info in infos:
        if not info.filename.isascii():
            check(info.flag_bits & UTF8_FLAG, "%s is stored with the UTF-8 flag" % info.filename)


def check_program(arch, path):
    objdump, magic, file_format = ARCHES[arch]
    name = os.path.basename(path)
    kind = "PE32" if arch == "win32" else "PE32+"
    # objdump refuses a program of the other kind ("file format not recognized").
    result = subprocess.run([objdump, "-p", path], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, universal_newlines=True)
    if not check(result.returncode == 0, "%s %s is a program %s reads (%s)" % (
            arch, name, objdump, result.stderr.strip())):
        return
    headers = result.stdout
    check(re.search(r"file format %s$" % file_format, headers, re.M) and
          re.search(r"^Magic\s+%s\b" % magic, headers, re.M),
          "%s %s is %s" % (arch, name, kind))
    subsystem = CONSOLE if name == "tavimore.exe" else GUI
    check(re.search(r"^Subsystem\s+%s\b" % subsystem, headers, re.M),
          "%s %s is a %s program" % (arch, name, "console" if subsystem == CONSOLE else "window"))
    dlls = {d.lower() for d in re.findall(r"^\tDLL Name: (\S+)", headers, re.M)}
    check(dlls and dlls <= WINDOWS_DLLS, "%s %s imports only Windows' own DLLs (%s)" % (
        arch, name, " ".join(sorted(dlls))))


def check_clocks(arch, folder, bin_dir):
    for build in BUILDS:
        exe = read(os.path.join(folder, build + ".exe"))
        prm = read(os.path.join(folder, build + ".prm"))
        check(len(exe) <= CLOCK_LIMIT and len(prm) <= CLOCK_LIMIT,
              "%s %s.exe and .prm are at most %d bytes (%d, %d)" % (
                  arch, build, CLOCK_LIMIT, len(exe), len(prm)))
        check(prm == exe, "%s %s.prm is byte for byte %s.exe" % (arch, build, build))
        check(exe == read(os.path.join(bin_dir, build + ".exe")),
              "%s %s.exe is the build tree's program" % (arch, build))
    check(read(os.path.join(folder, "TavimoreEdit.exe")) ==
          read(os.path.join(bin_dir, "TavimoreEdit.exe")),
          "%s TavimoreEdit.exe is the build tree's program" % arch)


def check_samples(arch, folder, source, tavimore, work):
    definition = os.path.join(folder, "Pirrow.prm")
    for sample, faces in SAMPLE_FACES.items():
        clocks = []
        for picture in (os.path.join(folder, sample + ".bmp"),
                        os.path.join(source, "samples", sample + ".png")):
            out = os.path.join(work, "%s-%s-from-%s.exe" % (arch, sample, picture[-3:]))
            result = subprocess.run([tavimore, "build", "--definition", definition, "--image",
                                     picture, "--output", out, "--force"],
                                    stderr=subprocess.PIPE, universal_newlines=True)
            check(result.returncode == 0, "tavimore builds a clock from %s %s" % (
                picture, result.stderr.strip()))
            clocks.append(read(out) if result.returncode == 0 else None)
        check(clocks[0] is not None and clocks[0] == clocks[1],
              "%s %s.bmp gives the clock samples/%s.png gives" % (arch, sample, sample))
        inspect = subprocess.run([tavimore, "inspect", out], stdout=subprocess.PIPE,
                                 universal_newlines=True).stdout
        check('"images": %d,' % faces in inspect, "%s %s.bmp has %d face pictures" % (
            arch, sample, faces))


def check_texts(arch, folder, source):
    data = read(os.path.join(folder, README))
    check(data.startswith(b"\xef\xbb\xbf"), "%s read-me begins with the UTF-8 byte order mark" % arch)
    try:
        text = data[3:].decode("utf-8")
    except UnicodeDecodeError as e:
        check(False, "%s read-me is UTF-8 (%s)" % (arch, e))
        return
    lines = text.split("\r\n")
    check(not any("\n" in line or "\r" in line for line in lines),
          "%s read-me ends every line with CRLF" % arch)
    steps = [n for n in range(1, 6) if re.search(r"^%d\. " % n, text, re.M)]
    check(steps == [1, 2, 3, 4, 5] and not re.search(r"^6\. ", text, re.M),
          "%s read-me has five numbered steps (%s)" % (arch, steps))
    for word in BUILDS + ["TavimoreE.ini", "TavimoreEdit.exe", "oriclock.exe", "MIT",
                          "Tavimore developers", "LICENSE.txt"]:
        check(word in text, "%s read-me mentions %s" % (arch, word))
    licence = read(os.path.join(folder, "LICENSE.txt"))
    check(licence == read(os.path.join(source, "LICENSE")).replace(b"\n", b"\r\n"),
          "%s LICENSE.txt is the repository's LICENSE with CRLF" % arch)


def check_web_zip(source, release, first, second):
    folder = "tavimore-%s-web" % release
    zip_path = os.path.join(first, folder + ".zip")
    if not check(os.path.isfile(zip_path), "%s was made" % zip_path):
        return
    print("%s: %d bytes" % (zip_path, os.path.getsize(zip_path)))
    check(read(zip_path) == read(os.path.join(second, folder + ".zip")),
          "%s is the same, byte for byte, when made again" % os.path.basename(zip_path))
    with zipfile.ZipFile(zip_path) as z:
        names = [i.filename for i in z.infolist()]
        check(names == [folder + "/" + n for n in WEB_EXPECTED],
              "%s holds the page, then the clocks, in that order: %s" % (folder, names))
        site = os.path.join(source, "build", "web", "site")
        for name in WEB_PAGE:
            check(z.read(folder + "/" + name) == read(os.path.join(site, name)),
                  "web zip: %s is the web build's" % name)
        for b in BUILDS:
            check(z.read("%s/clocks/%s.exe" % (folder, b)) ==
                  read(os.path.join(source, "build", "win32", "bin", b + ".exe")),
                  "web zip: clocks/%s.exe is the 32-bit clock of the win32 build" % b)
        check(z.read(folder + "/LICENSE.txt").replace(b"\r\n", b"\n") ==
              read(os.path.join(source, "LICENSE")), "web zip: LICENSE.txt is the LICENSE")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--tavimore", required=True)
    args = parser.parse_args()
    release = version(args.source)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)

    first, second = os.path.join(args.work, "dist"), os.path.join(args.work, "dist-again")
    run_packaging(args.source, first)
    run_packaging(args.source, second)
    for arch in ARCHES:
        folder = "tavimore-%s-%s" % (release, arch)
        zip_path = os.path.join(first, folder + ".zip")
        if not check(os.path.isfile(zip_path), "%s was made" % zip_path):
            continue
        print("%s: %d bytes" % (zip_path, os.path.getsize(zip_path)))
        check(read(zip_path) == read(os.path.join(second, folder + ".zip")),
              "%s is the same, byte for byte, when made again" % os.path.basename(zip_path))
        check_listing(zip_path, folder)

        unpacked = os.path.join(args.work, "unpacked-" + arch)
        os.makedirs(unpacked)
        result = subprocess.run(["unzip", "-q", zip_path, "-d", unpacked])
        check(result.returncode == 0, "unzip unpacks %s" % zip_path)
        root = os.path.join(unpacked, folder)
        on_disk = set(os.listdir(root)) if os.path.isdir(root) else set()
        if not check(on_disk == EXPECTED, "unzip gives the release files by their names "
                     "(extra %s, missing %s)" % (sorted(on_disk - EXPECTED),
                                                sorted(EXPECTED - on_disk))):
            continue
        for name in sorted(EXPECTED):
            if name.endswith((".exe", ".prm")):
                check_program(arch, os.path.join(root, name))
        check_clocks(arch, root, os.path.join(args.source, "build", arch, "bin"))
        check_samples(arch, root, args.source, args.tavimore, args.work)
        check_texts(arch, root, args.source)

    check_web_zip(args.source, release, first, second)
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
