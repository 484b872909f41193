#!/usr/bin/env python3
"""Reads the headers of a Windows program and checks what every program we ship must keep:

- an import directory that is there (a linker script that moves the imports can leave it
  zero, and such a program starts nowhere);
- relocations, with DYNAMIC_BASE, so the system can load it at a random address, and
  NX_COMPAT, so its data is never run; HIGH_ENTROPY_VA too for 64-bit programs;
- no section both writable and executable;
- a file alignment of 512, the least Microsoft documents for images whose sections are
  page-aligned.

    pe_layout.py PROGRAM...   prints what is wrong and exits 1, or exits 0 silently
"""
import struct
import sys

DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x0040, 0x0100, 0x0020
RELOCS_STRIPPED = 0x0001  # COFF characteristics
WRITE, EXECUTE = 0x80000000, 0x20000000
IMPORT, RELOCATION = 1, 5  # data directory entries


def read_layout(data):
    """The header fields the checks need, from the bytes of a program."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    _, sections, _, _, _, optional_size, characteristics = struct.unpack_from("<HHIIIHH", data,
                                                                             pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    wide = magic == 0x20B  # PE32+
    file_alignment = struct.unpack_from("<I", data, opt + 36)[0]
    dll_characteristics = struct.unpack_from("<H", data, opt + 70)[0]
    directories = opt + (112 if wide else 96)
    count = struct.unpack_from("<I", data, directories - 4)[0]
    dirs = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(count)]
    table = opt + optional_size
    section_list = []
    for i in range(sections):
        name, vsize, rva, raw_size, _, _, _, _, _, flags = struct.unpack_from(
            "<8sIIIIIIHHI", data, table + 40 * i)
        section_list.append((name.rstrip(b"\0").decode("latin-1"), rva, max(vsize, raw_size),
                             flags))
    return {"wide": wide, "characteristics": characteristics, "file_alignment": file_alignment,
            "dll_characteristics": dll_characteristics, "directories": dirs,
            "sections": section_list}


def problems(data):
    """What the program lacks, as short sentences; empty when it has everything."""
    layout = read_layout(data)
    found = []
    rva, size = layout["directories"][IMPORT]
    if not rva or not size or not any(s_rva <= rva < s_rva + s_size
                                      for _, s_rva, s_size, _ in layout["sections"]):
        found.append("its import directory is missing (%#x, %d bytes)" % (rva, size))
    flags = layout["dll_characteristics"]
    wanted = {"DYNAMIC_BASE": DYNAMIC_BASE, "NX_COMPAT": NX_COMPAT}
    if layout["wide"]:
        wanted["HIGH_ENTROPY_VA"] = HIGH_ENTROPY_VA
    for name, bit in wanted.items():
        if not flags & bit:
            found.append("it is not %s" % name)
    if layout["characteristics"] & RELOCS_STRIPPED or not layout["directories"][RELOCATION][1]:
        found.append("it has no relocations")
    for name, _, _, section_flags in layout["sections"]:
        if section_flags & WRITE and section_flags & EXECUTE:
            found.append("its section %s is both writable and executable" % name)
    if layout["file_alignment"] != 512:
        found.append("its file alignment is %d, not 512" % layout["file_alignment"])
    return found


def main(paths):
    failed = False
    for path in paths:
        with open(path, "rb") as f:
            for problem in problems(f.read()):
                print("%s: %s" % (path, problem))
                failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
