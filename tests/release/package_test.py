#!/usr/bin/env python3
"""The release zips as a person downloads them: scripts/package.sh is run (twice), and each
zip is unpacked with Info-ZIP's unzip, as it would be by hand, and checked:

- exactly the expected files, in one folder named after the release, no DLL among them, the
  Japanese name stored as UTF-8 and unpacked intact; the two runs give the same bytes;
- every .exe and .prm is a Windows program of the zip's kind (PE32 for win32, PE32+ for
  win64) importing only Windows' own DLLs; the editor and clocks are window programs,
  tavimore.exe a console one;
- the clocks and the editor have exactly the sizes the README's table gives, within their
  ceilings (a clock 25.5 KiB in win32 and 26 KiB in win64, the editor 256 KiB and 320 KiB);
  each .prm is byte for byte its clock, and both are the clock programs of the build tree
  (the zip is current);
- every program keeps its imports, relocations, DYNAMIC_BASE and NX_COMPAT (HIGH_ENTROPY_VA
  in win64), no section both writable and executable, and a file alignment of 512
  (scripts/pe_layout.py, which is shown to refuse a program whose flags are cleared);
- the sample strips give exactly the clocks their PNG sources in samples/ give, with 8, 4
  and 1 face pictures;
- the read-me opens in Notepad as UTF-8 (byte order mark, CRLF) and tells the five steps,
  the five clocks, where the settings are kept and the licence; LICENSE.txt is the
  repository's LICENSE;
- every program's header carries no link time, and a PE checksum, where set, is right;
- THIRD-PARTY-NOTICES.txt names every library the programs contain and holds the complete
  texts of their licences, word for word as Debian ships them;
- SHA256SUMS beside the zips lists exactly the zips (the web zip too), and sha256sum -c
  accepts it.
- the web zip holds exactly the page of the web build tree, with the 32-bit clock programs
  of the win32 tree (a clock made in the page is the win32 editor's clock), the same each
  time it is made.

    package_test.py --source ROOT --work DIR --tavimore TAVIMORE
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import zipfile

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from release_checks import check, failures, read  # noqa: E402

sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from build_names import build_names  # noqa: E402
import pe_layout  # noqa: E402

BUILDS = build_names()
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
# The most a program may be, per zip; the README's table gives each one's exact size.
LIMITS = {"win32": {"clock": 25600, "TavimoreEdit.exe": 262144},
          "win64": {"clock": 28160, "TavimoreEdit.exe": 327680}}
# Per zip: objdump, the optional header's magic and objdump's name of the file format.
ARCHES = {"win32": ("i686-w64-mingw32-objdump", "010b", "pei-i386"),
          "win64": ("x86_64-w64-mingw32-objdump", "020b", "pei-x86-64")}
GUI, CONSOLE = "00000002", "00000003"  # PE subsystems
UTF8_FLAG = 0x800  # zip general purpose bit 11: the name is UTF-8
WEB_PAGE = ["index.html", "style.css", "page.js", "page_state.js", "hands.js", "strip_view.js",
            "preview.js", "settings.js", "clock_file.js", "texts.js", "core_bridge.js",
            "picture_input.js", "crop_view.js", "tavimore_core.js", "tavimore_core.wasm"]
WEB_EXPECTED = (["README.txt", "LICENSE.txt"] + WEB_PAGE +
                ["clocks/%s.exe" % b for b in BUILDS])

# What THIRD-PARTY-NOTICES.txt must name: every library linked into a program we ship.
NOTICE_NAMES = ["MinGW-w64 runtime", "winpthreads", "libgcc", "libgcc_eh", "libstdc++",
                "libsupc++", "GCC Runtime Library Exception", "GNU General Public License",
                "Hewlett-Packard", "Silicon Graphics", "Lucent Technologies", "David M. Gay",
                "Keith Marshall", "Sun Microsystems", "stb_image", "CLI11",
                "JSON for Modern C++"]
MINGW_COPYRIGHT = "/usr/share/doc/mingw-w64-common/copyright"
GCC_COPYRIGHT = "/usr/share/doc/gcc-mingw-w64-base/copyright"
GPL3 = "/usr/share/common-licenses/GPL-3"

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


def pe_checksum(data, field):
    """The checksum Windows' CheckSumMappedFile computes: 16-bit words added with their
    carries folded back, the checksum field itself skipped, plus the file's length."""
    total = 0
    padded = data + b"\0" * (len(data) % 2)
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
    total -= sum(struct.unpack_from("<HH", data, field))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def check_header(arch, path):
    """A rebuild gives the same bytes only if the header holds no link time; a checksum the
    linker left must still match the bytes."""
    data = read(path)
    header = struct.unpack_from("<I", data, 0x3C)[0]
    link_time = struct.unpack_from("<I", data, header + 8)[0]
    name = os.path.basename(path)
    check(link_time == 0, "%s %s carries no link time (%d)" % (arch, name, link_time))
    field = header + 24 + 64  # after the signature, file header and 64 optional-header bytes
    stored = struct.unpack_from("<I", data, field)[0]
    check(stored in (0, pe_checksum(data, field)), "%s %s has no checksum or a right one "
          "(%d, computed %d)" % (arch, name, stored, pe_checksum(data, field)))


def licence_text(path, first=None, last=None):
    """An installed Debian licence text: a whole file; the lines from the one starting with
    first to the one starting with last; or, with first "License: NAME", the text of that
    stanza of a machine-readable copyright file (its indented lines, '.' for a blank)."""
    lines = open(path, encoding="utf-8").read().split("\n")
    if first is None:
        return "\n".join(lines)
    start = next(i for i, line in enumerate(lines) if line.startswith(first))
    if first.startswith("License: "):
        end = next(i for i in range(start + 1, len(lines)) if not lines[i].startswith(" "))
        return "\n".join("" if line == " ." else line for line in lines[start + 1:end])
    end = next(i for i in range(start, len(lines)) if lines[i].startswith(last))
    return "\n".join(lines[start:end + 1])


def words(text):
    return " ".join(text.split())


def check_notices(arch, folder):
    text = read(os.path.join(folder, "THIRD-PARTY-NOTICES.txt")).decode("utf-8")
    check("\n" not in text.replace("\r\n", ""), "%s notices end every line with CRLF" % arch)
    missing = [n for n in NOTICE_NAMES if n not in text]
    check(not missing, "%s notices name every library in the programs (missing %s)" % (
        arch, missing))
    # Complete licence texts, compared word for word with the ones Debian installs.
    texts = {
        "the GNU GPL version 3": (GPL3,),
        "the GCC Runtime Library Exception": (GCC_COPYRIGHT, "GCC RUNTIME LIBRARY EXCEPTION",
                                              "requirements of the license of GCC."),
        "MinGW-w64's licence": (MINGW_COPYRIGHT, "License: ZPL-2.1"),
        "gdtoa's licence": (MINGW_COPYRIGHT, "License: Lucent"),
        "David M. Gay's licence": (MINGW_COPYRIGHT, "License: David-Gay"),
    }
    flat = words(text)
    for what, (path, *where) in texts.items():
        if not check(os.path.isfile(path), "%s is installed" % path):
            continue
        check(words(licence_text(path, *where)) in flat,
              "%s notices hold %s complete, as in %s" % (arch, what, path))


def check_checksums(dist, zips):
    sums = os.path.join(dist, "SHA256SUMS")
    if not check(os.path.isfile(sums), "%s was made" % sums):
        return
    listed = sorted(line.split("  ", 1)[1] for line in
                    read(sums).decode("ascii").splitlines())
    check(listed == sorted(zips), "SHA256SUMS lists exactly the zips (%s)" % listed)
    result = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=dist,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            universal_newlines=True)
    return check(result.returncode == 0, "sha256sum --check accepts SHA256SUMS: %s" % " ".join(
        result.stdout.split()))


def readme_sizes(source):
    """{(program, arch): bytes} from the README's table of program sizes."""
    text = open(os.path.join(source, "README.md"), encoding="utf-8").read()
    table = text[text.index("### Program sizes"):]
    sizes = {}
    for name, win32, win64 in re.findall(r"^\| `([\w.]+)` \| (\d+) \| (\d+) \|$", table, re.M):
        sizes[(name, "win32")], sizes[(name, "win64")] = int(win32), int(win64)
    return sizes


def check_sizes(arch, folder, sizes):
    for name in [b + ".exe" for b in BUILDS] + ["TavimoreEdit.exe"]:
        size = len(read(os.path.join(folder, name)))
        limit = LIMITS[arch].get(name, LIMITS[arch]["clock"])
        check(size <= limit, "%s %s is at most %d bytes (%d)" % (arch, name, limit, size))
        check(sizes.get((name, arch)) == size, "%s %s is %s bytes as the README says (%d)" % (
            arch, name, sizes.get((name, arch)), size))


def check_layout(arch, path):
    data = read(path)
    problems = pe_layout.problems(data)
    check(not problems, "%s %s keeps its layout and protections (%s)" % (
        arch, os.path.basename(path), "; ".join(problems)))
    # The check itself: the same program with its flags and import directory cleared fails.
    if os.path.basename(path) == BUILDS[0] + ".exe":
        spoilt = bytearray(data)
        opt = struct.unpack_from("<I", data, 0x3C)[0] + 24
        struct.pack_into("<H", spoilt, opt + 70, 0)
        struct.pack_into("<II", spoilt, opt + (112 if arch == "win64" else 96) + 8, 0, 0)
        check(len(pe_layout.problems(bytes(spoilt))) >= 3,
              "pe_layout refuses %s %s with its flags and imports cleared" % (arch, BUILDS[0]))


def check_clocks(arch, folder, bin_dir):
    for build in BUILDS:
        exe = read(os.path.join(folder, build + ".exe"))
        prm = read(os.path.join(folder, build + ".prm"))
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
    check(lines[0] == "Tavimore " + version(source),
          "%s read-me begins with the version (%s)" % (arch, lines[0]))
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
                check_header(arch, os.path.join(root, name))
                check_layout(arch, os.path.join(root, name))
        check_notices(arch, root)
        check_clocks(arch, root, os.path.join(args.source, "build", arch, "bin"))
        check_sizes(arch, root, readme_sizes(args.source))
        check_samples(arch, root, args.source, args.tavimore, args.work)
        check_texts(arch, root, args.source)

    if check_checksums(first, ["tavimore-%s-%s.zip" % (release, kind)
                               for kind in list(ARCHES) + ["web"]]):
        check(read(os.path.join(first, "SHA256SUMS")) ==
              read(os.path.join(second, "SHA256SUMS")), "SHA256SUMS is the same when made again")

    check_web_zip(args.source, release, first, second)
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
