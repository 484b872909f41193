"""What the editor window must look like, written down from the window's design table (not
read from the editor's sources), and the checks that compare a running editor with it.

Places are client pixels (x, y, width, height) at 96 DPI; on a screen of another scale every
number is scaled (see scaled), as the window keeps its proportions. Kinds say what a person
sees:
  heading   centred text in a thin sunken border
  caption   plain text, no border
  field     a white text field in a sunken border
  button    a raised push button with centred text
  picture   a picture box (the preview has a thin flat border, the whole picture none)
  readout   right-aligned text in a thin sunken border
  scrollbar a horizontal scroll bar
  swatch    a flat box filled with a hand colour, with a thin border
  combo     a drop-down list
"""
from wine_session import check

# In tab order.
TABLE = [
    ("LBL0", "heading", "お名前", (8, 17, 89, 17)),
    ("LBL1", "heading", "ＵＲＬ", (8, 49, 89, 17)),
    ("LBL2", "heading", "Eメール", (8, 81, 89, 17)),
    ("FLD0", "field", None, (104, 16, 177, 18)),
    ("FLD1", "field", None, (104, 48, 313, 18)),
    ("FLD2", "field", None, (104, 80, 177, 18)),
    ("BTN0", "button", "F1:作成", (8, 336, 65, 25)),
    ("BTN1", "button", "F12:閉じる", (360, 336, 65, 25)),
    ("Pic", "picture", None, (104, 112, 82, 82)),
    ("LBL3", "heading", "背景", (8, 112, 89, 17)),
    ("AREA", "picture", None, (336, 112, 82, 82)),
    ("CBTN0", "button", "画像選択", (184, 112, 73, 17)),
    ("LBL4", "heading", "針", (8, 208, 89, 17)),
    ("LBL5", "caption", "短針", (104, 236, 33, 17)),
    ("LBL6", "caption", "長針", (104, 260, 33, 17)),
    ("LBL7", "caption", "秒針", (104, 284, 33, 17)),
    ("DSP0", "readout", None, (136, 232, 33, 17)),
    ("DSP1", "readout", None, (136, 256, 33, 17)),
    ("DSP2", "readout", None, (136, 280, 33, 17)),
    ("LongLine0", "scrollbar", None, (168, 232, 97, 17)),
    ("LongLine1", "scrollbar", None, (168, 256, 97, 17)),
    ("LongLine2", "scrollbar", None, (168, 280, 97, 17)),
    ("LBL8", "caption", "長さ", (136, 208, 33, 17)),
    ("LBL9", "caption", "色", (280, 208, 33, 17)),
    ("COL0", "swatch", None, (272, 232, 41, 17)),
    ("COL1", "swatch", None, (272, 256, 41, 17)),
    ("COL2", "swatch", None, (272, 280, 41, 17)),
    ("LBL10", "heading", "時計の形", (8, 312, 89, 17)),
    ("CMB", "combo", None, (104, 310, 161, 20)),
]
PLACE = {name: rect for name, _, _, rect in TABLE}
WINDOW_CLASS = {"heading": "Static", "caption": "Static", "readout": "Static", "swatch": "Static",
                "field": "Edit", "button": "Button", "scrollbar": "ScrollBar",
                "combo": "ComboBox"}

# The focus walks the controls in table order; labels (read-outs and swatches too) never
# take it.
FOCUS_CYCLE = [name for name, kind, _, _ in TABLE if WINDOW_CLASS.get(kind) != "Static"]
INITIAL_LENGTHS = {"DSP0": "75%", "DSP1": "80%", "DSP2": "90%"}
INITIAL_COLOURS = {"COL0": (0, 0, 64), "COL1": (0, 0, 128), "COL2": (0, 0, 192)}
CLIENT_SIZE = (433, 366)

# Window styles (winuser.h).
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME = 0x00020000, 0x00010000, 0x00000001
WS_BORDER, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE = 0x00800000, 0x00000200, 0x00020000
SS_TYPEMASK, SS_LEFT, SS_CENTER, SS_RIGHT = 0x1F, 0, 1, 2


def scaled(length, dpi):
    """A length of the design at `dpi`: length * dpi / 96 rounded, halves upwards."""
    return (length * dpi + 48) // 96


class EditorWindow:
    """The editor as the probe and the screen show it: controls by their table names, on a
    screen of `dpi`."""

    def __init__(self, session, process, dpi=96):
        self.session = session
        self.process = process
        self.dpi = dpi
        session.wait_window("TavimoreEdit", process)
        self.ids = None
        self.refresh()

    def refresh(self):
        self.data = self.session.probe("TavimoreEdit")
        children = self.data["children"]
        if self.ids is None:
            self.ids = {}
            for name, _, _, design in TABLE:
                rect = self.scaled(design)
                matches = [c for c in children if tuple(c["rect"]) == rect]
                check(len(matches) == 1, "%s: expected one control at %s, found %d (%s)" % (
                    name, rect, len(matches), [c["rect"] for c in children]))
                self.ids[name] = matches[0]["id"]
        self.controls = {name: next(c for c in children if c["id"] == ident)
                         for name, ident in self.ids.items()}
        self.origin = self.data["client"][0], self.data["client"][1]
        return self

    def scaled(self, numbers):
        return tuple(scaled(v, self.dpi) for v in numbers)

    def control(self, name):
        return self.controls[name]

    def text(self, name):
        return self.controls[name]["text"]

    def focus(self):
        self.refresh()
        names = [n for n, c in self.controls.items() if c["focus"]]
        return names[0] if names else None

    def screen_point(self, name, dx=None, dy=None):
        x, y, w, h = self.controls[name]["rect"]
        return (self.origin[0] + x + (w // 2 if dx is None else dx),
                self.origin[1] + y + (h // 2 if dy is None else dy))

    def click(self, name, dx=None, dy=None):
        self.session.click(*self.screen_point(name, dx, dy))

    def client_pixel(self, shot, x, y):
        return shot.pixel(self.origin[0] + x, self.origin[1] + y)


def brightness(p):
    return sum(p) / 3.0


def mean(values):
    return sum(values) / len(values)


def edges(win, shot, rect):
    x, y, w, h = rect
    px = lambda a, b: brightness(win.client_pixel(shot, a, b))
    return {
        "top": [px(x + i, y) for i in range(1, w - 1)],
        "bottom": [px(x + i, y + h - 1) for i in range(1, w - 1)],
        "left": [px(x, y + i) for i in range(1, h - 1)],
        "right": [px(x + w - 1, y + i) for i in range(1, h - 1)],
    }


def text_box(win, shot, rect, inset=2):
    """Bounding box (left, top, right, bottom) of the dark text pixels inside the rect."""
    x, y, w, h = rect
    xs, ys = [], []
    for j in range(y + inset, y + h - inset):
        for i in range(x + inset, x + w - inset):
            if brightness(win.client_pixel(shot, i, j)) < 100:
                xs.append(i)
                ys.append(j)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys)


def check_window_frame(win):
    d = win.data
    check(d["title"] == "TavimoreEdit", "caption %r" % d["title"])
    want = win.scaled(CLIENT_SIZE)
    check(tuple(d["client"][2:]) == want,
          "client area %s, not %d x %d" % ((d["client"][2:],) + want))
    style, ex = d["style"], d["exStyle"]
    check(style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU, "no caption with a close box")
    check(not style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
          "the window is resizable or has minimise/maximise boxes (style %#x)" % style)
    check(ex & WS_EX_DLGMODALFRAME, "no dialog-style border (exStyle %#x)" % ex)


def check_controls_by_probe(win):
    """Kinds, captions, places and the order of the controls, as the window system has them."""
    children = win.data["children"]
    check(len(children) == len(TABLE), "%d controls, the table has %d" % (len(children), len(TABLE)))
    # The dialog keys walk the controls in the window system's order; labels do not count.
    WS_TABSTOP = 0x00010000
    order = [next(n for n, i in win.ids.items() if i == c["id"]) for c in children
             if c["style"] & WS_TABSTOP]
    check(order == FOCUS_CYCLE, "tab order %s" % order)
    for name, kind, caption, rect in TABLE:
        c = win.control(name)
        if kind in WINDOW_CLASS:
            check(c["class"] == WINDOW_CLASS[kind], "%s is a %s, not a %s" % (
                name, c["class"], WINDOW_CLASS[kind]))
        if caption is not None:
            check(c["text"] == caption, "%s reads %r, not %r" % (name, c["text"], caption))
        style, ex = c["style"] & 0xFFFFFFFF, c["exStyle"]
        if kind == "heading":
            check(style & SS_TYPEMASK == SS_CENTER and ex & WS_EX_STATICEDGE,
                  "%s is not centred in a sunken border" % name)
        elif kind == "readout":
            check(style & SS_TYPEMASK == SS_RIGHT and ex & WS_EX_STATICEDGE,
                  "%s is not right-aligned in a sunken border" % name)
        elif kind == "caption":
            check(not ex & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE) and not style & WS_BORDER,
                  "%s has a border" % name)
        elif kind == "swatch":
            check(style & WS_BORDER and not ex & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE),
                  "%s is not a flat bordered box" % name)
        elif kind == "field":
            check(c["limit"] >= 0x7FFFFFFE, "%s limits its text to %d" % (name, c["limit"]))
    check_layout(win)
    for name, want in INITIAL_LENGTHS.items():
        check(win.text(name) == want, "%s reads %r, not %r" % (name, win.text(name), want))
    for hand, name in enumerate(["LongLine0", "LongLine1", "LongLine2"]):
        c = win.control(name)
        check((c["min"], c["max"]) == (1, 100), "%s runs %d..%d" % (name, c["min"], c["max"]))
        check(c["pos"] == int(INITIAL_LENGTHS["DSP%d" % hand][:-1]), "%s at %d" % (name, c["pos"]))


def check_layout(win):
    """As the window opens, every control lies inside the client area, and no two overlap by
    more than the two-pixel border a control may lay over its neighbour's edge, in proportion
    on a screen of another scale (a picture chosen later may reach under other controls)."""
    rects = {name: c["rect"] for name, c in win.controls.items()}
    width, height = win.scaled(CLIENT_SIZE)
    border = scaled(2, win.dpi)
    for name, (x, y, w, h) in rects.items():
        check(x >= 0 and y >= 0 and x + w <= width and y + h <= height,
              "%s at %s is not inside the window" % (name, rects[name]))
    for a, (ax, ay, aw, ah) in rects.items():
        for b, (bx, by, bw, bh) in rects.items():
            overlap = min(ax + aw, bx + bw) - max(ax, bx), min(ay + ah, by + bh) - max(ay, by)
            check(a >= b or min(overlap) <= border, "%s and %s overlap by %s" % (a, b, overlap))


def check_preview(win, shot, rows, what):
    """The preview box shows rows[0..80) inside its one-pixel border."""
    x, y, _, _ = PLACE["Pic"]
    check_picture_at(win, shot, x + 1, y + 1, rows, 80, what)


def thumb_centre(win, shot, name):
    """Centre x (client) of a scroll bar's thumb: the raised box between the two arrow boxes,
    found on the bar's top edge, where the trough is dithered and the boxes are solid lines."""
    x, y, w, h = win.control(name)["rect"]
    row = [brightness(win.client_pixel(shot, i, y)) for i in range(x + h, x + w - h)]
    runs, start = [], None
    for i, v in enumerate(row + [255]):
        solid = 150 <= v < 200
        if solid and start is None:
            start = i
        elif not solid and start is not None:
            runs.append((start, i - 1))
            start = None
    check(runs, "%s: no thumb found" % name)
    first, last = max(runs, key=lambda r: r[1] - r[0])
    return x + h + (first + last) / 2.0, last - first + 2


def check_scroll_thumb(win, shot, name, value):
    x, y, w, h = win.control(name)["rect"]
    centre, width = thumb_centre(win, shot, name)
    track = w - 2 * h
    expected = x + h + (value - 1) / 99.0 * (track - width) + width / 2.0
    check(abs(centre - expected) <= 2.5, "%s: thumb at x %.1f, a value of %d puts it at %.1f" % (
        name, centre, value, expected))


def check_screen_against_table(win, shot, preview=None, swatches=INITIAL_COLOURS, lengths=None):
    """Every control drawn where the table puts it, looking as its kind looks."""
    face = win.client_pixel(shot, 2, 2)  # the window's own face, where nothing is drawn
    fb = brightness(face)
    for name, kind, caption, rect in TABLE:
        x, y, w, h = rect
        e = edges(win, shot, rect)
        where = "%s at %s" % (name, rect)
        if kind in ("heading", "readout"):
            check(mean(e["top"]) < fb - 40 and mean(e["left"]) < fb - 40,
                  "%s: top and left edges are not a sunken border" % where)
            check(mean(e["bottom"]) > mean(e["top"]) + 40, "%s: bottom edge not lighter" % where)
            # A read-out's right border column lies under the scroll bar beside it.
            if kind == "heading":
                check(mean(e["right"]) > mean(e["left"]) + 40, "%s: right edge not lighter" % where)
            box = text_box(win, shot, rect)
            check(box is not None, "%s shows no text" % where)
            if kind == "heading":
                centre = (box[0] + box[2]) / 2.0
                check(abs(centre - (x + (w - 1) / 2.0)) <= 2.5, "%s: text not centred (%s)" % (where, box))
            else:
                right_gap = x + w - 2 - box[2]
                left_gap = box[0] - (x + 1)
                check(right_gap <= 4 and left_gap > right_gap,
                      "%s: text not right-aligned (%s)" % (where, box))
        elif kind == "caption":
            for side in ("top", "left", "bottom"):
                check(sum(1 for v in e[side] if abs(v - fb) > 8) < len(e[side]) / 2,
                      "%s: a border on its %s edge" % (where, side))
            box = text_box(win, shot, rect, inset=0)
            check(box is not None and box[0] - x <= 3, "%s: no left-aligned text (%s)" % (where, box))
        elif kind in ("field", "combo"):
            check(mean(e["top"]) < fb - 40 and mean(e["left"]) < fb - 40,
                  "%s: no sunken border" % where)
            # White inside, right of the text and left of a drop-down button.
            inner = win.client_pixel(shot, x + w - (5 if kind == "field" else 24), y + h // 2)
            check(brightness(inner) > 250, "%s: not white inside (%s)" % (where, inner))
        elif kind == "button":
            check(mean(e["top"]) > mean(e["bottom"]) + 60, "%s: not raised (top/bottom)" % where)
            if name != "CBTN0":  # the preview's border lies over CBTN0's left edge
                check(mean(e["left"]) > mean(e["right"]) + 60, "%s: not raised (left/right)" % where)
            box = text_box(win, shot, rect)
            check(box is not None, "%s shows no caption" % where)
            centre = (box[0] + box[2]) / 2.0
            check(abs(centre - (x + (w - 1) / 2.0)) <= 3, "%s: caption not centred (%s)" % (where, box))
        elif kind == "swatch":
            for side in ("top", "bottom", "left", "right"):
                check(max(e[side]) < fb - 40, "%s: no border on its %s edge" % (where, side))
            want = swatches[name]
            for i, j in ((x + 1, y + 1), (x + w // 2, y + h // 2), (x + w - 2, y + h - 2)):
                got = win.client_pixel(shot, i, j)
                check(got == want, "%s: filled with %s, not %s" % (where, got, want))
        elif kind == "scrollbar":
            value = int((lengths or INITIAL_LENGTHS)["DSP" + name[-1]][:-1])
            check_scroll_thumb(win, shot, name, value)
    # Japanese glyphs, not the hollow boxes a font without them shows: the one-character
    # labels have strokes inside their text's bounding box.
    for name in ("LBL4", "LBL9"):
        box = text_box(win, shot, PLACE[name], inset=0)
        check(box is not None and box[2] - box[0] >= 6, "%s: no glyph (%s)" % (name, box))
        inside = [brightness(win.client_pixel(shot, i, j)) < 100
                  for j in range(box[1] + 2, box[3] - 1) for i in range(box[0] + 2, box[2] - 1)]
        check(sum(inside) > len(inside) * 0.1,
              "%s: the character is drawn as an empty box (font without Japanese)" % name)
    # The preview: a flat one-pixel border round an 80 x 80 face.
    x, y, w, h = PLACE["Pic"]
    e = edges(win, shot, PLACE["Pic"])
    for side in e:
        check(max(e[side]) < fb - 40, "Pic: no border on its %s edge" % side)
    if preview is not None:
        check_preview(win, shot, preview, "Pic")


def check_picture_at(win, shot, left, top, rows, height, what, skip=None):
    """The screen at client (left, top) shows rows[0..height) of the picture exactly, up to
    the window's bottom edge; `skip(x, y)` marks pixels covered by other controls."""
    bad = 0
    first = None
    for j in range(height):
        if top + j >= CLIENT_SIZE[1]:
            break
        for i in range(80):
            if skip and skip(left + i, top + j):
                continue
            got = win.client_pixel(shot, left + i, top + j)
            if got != rows[j][i]:
                bad += 1
                if first is None:
                    first = (i, j, got, rows[j][i])
    check(bad == 0, "%s: %d pixels differ from the picture, first at %s" % (what, bad, first))


def check_area_empty(win, shot, face):
    x, y, w, h = PLACE["AREA"]
    for j in range(y, min(y + 260, CLIENT_SIZE[1])):
        for i in range(x, x + w):
            if any(i >= bx and i < bx + bw and j >= by and j < by + bh
                   for bx, by, bw, bh in (PLACE["BTN1"],)):
                continue
            got = win.client_pixel(shot, i, j)
            check(got == face, "AREA is not empty: %s at client (%d, %d)" % (got, i, j))
