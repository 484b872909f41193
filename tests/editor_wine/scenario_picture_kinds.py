"""Pictures of every kind through the editor, which decodes PNG, GIF and JPEG with
Windows' own decoders (Wine's here) and BMP with ours: each is accepted, and from a
lossless one the editor writes byte for byte what tavimore build (Debian's decoders)
writes."""
import os
import subprocess

import pictures
from editor_session import SIZE_TITLE, UNREADABLE_TITLE, check, first_difference


def make_picture_kinds(sc):
    """Pictures of the kinds people bring, made by ImageMagick from one strip: (file name,
    whether it is lossless)."""
    source = sc.path("source.bmp")
    pictures.write_strip(source, 80, 160)
    alpha = sc.path("alpha.png")  # the top square's left half clear, a band half clear
    subprocess.run(["convert", source, "(", "+clone", "-fill", "white", "-colorize", "100",
                    "-fill", "black", "-draw", "rectangle 0,0 39,79", "-fill", "gray50",
                    "-draw", "rectangle 0,100 79,119", ")", "-alpha", "off", "-compose",
                    "CopyOpacity", "-composite", "png32:" + alpha], check=True)
    made = {
        "palette.png": [source, "png8:"],
        "deep.png": [source, "png48:"],
        "interlaced.png": [source, "-interlace", "PNG", "png24:"],
        "alpha64.png": [alpha, "png64:"],
        "grey.png": [source, "-colorspace", "Gray", "-depth", "4", "png:"],
        "transparent.gif": [alpha, "-channel", "A", "-threshold", "50%", "+channel",
                            "-interlace", "GIF", "gif:"],
        "animated.gif": [source, alpha, "gif:"],
        "rle8.bmp": [source, "-type", "Palette", "-compress", "RLE", "bmp3:"],
        "alpha.bmp": [alpha, "-define", "bmp:subtype=ARGB8888", "bmp:"],
        "photo.jpg": [source, "-quality", "90", "-interlace", "JPEG", "jpg:"],
        "offset.gif": ["-size", "40x30", "xc:red", "-repage", "80x160+20+90", "gif:"],
    }
    for name, args in made.items():
        subprocess.run(["convert"] + args[:-1] + [args[-1] + sc.path(name)], check=True)
    # Top down: the rows of a 24-bit BMP in the other order under a negative height.
    data = pictures.bmp_bytes(pictures.strip_pixels(80, 160))
    at, stride = data[10] | data[11] << 8, 80 * 3
    rows = [data[at + stride * r:at + stride * (r + 1)] for r in range(160)]
    head = bytearray(data[:at])
    head[22:26] = (-160).to_bytes(4, "little", signed=True)
    with open(sc.path("topdown.bmp"), "wb") as f:
        f.write(bytes(head) + b"".join(reversed(rows)))
    return [(name, not name.endswith(".jpg")) for name in list(made) + ["topdown.bmp"]]


def run(sc):
    s = sc.session
    sc.add_definitions()
    kinds = make_picture_kinds(sc)
    editor = sc.start_editor()
    win = sc.editor_window(editor)
    hands = [((0, 0, 64), 75), ((0, 0, 128), 80), ((0, 0, 192), 90)]
    definition = os.path.join(sc.app, win.text("CMB") + ".prm")
    for name, lossless in kinds:
        sc.choose_picture(win, sc.path(name))
        check(s.no_window_appears(SIZE_TITLE, editor, 0.5) and
              s.no_window_appears(UNREADABLE_TITLE, editor, 0.1), "%s was refused" % name)
        # Many of the pictures give the same clock: each build starts from no output.
        if os.path.exists(sc.output()):
            os.remove(sc.output())
        s.key("F1")
        built = sc.wait_output()
        expected = sc.tavimore_build(definition, sc.path(name), sc.path("expected.exe"), "", "",
                                     "", hands)
        check(len(built) == len(expected), "%s: %d bytes, tavimore wrote %d" % (name, len(built), len(expected)))
        if lossless:
            check(built == expected, "%s: not what tavimore build writes" % name
                  + first_difference(built, expected))
            sc.log("%s: identical to tavimore build" % name)
        else:
            worst = max(abs(a - b) for a, b in zip(built, expected))
            sc.log("%s: accepted; largest channel difference from tavimore build %d" % (name, worst))
    sc.close_with(editor, "Escape")
