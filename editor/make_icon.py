#!/usr/bin/env python3
"""Draws the editor's icon, TavimoreEdit.ico: a round clock face with two hands and a
pencil laid across its lower right, at 32 x 32 and 16 x 16 pixels. Run it again after
changing the drawing, and commit the output:

    python3 editor/make_icon.py editor/TavimoreEdit.ico

Only the standard library is used, and the same script always writes the same bytes.
Coordinates are in units of the icon's side (0 to 1), x to the right, y downwards; each
pixel is the average of 8 x 8 samples, so the edges are smooth at both sizes.
"""
import math
import struct
import sys

RIM = (40, 60, 130)        # dark blue rim and hands
FACE = (250, 244, 220)     # cream face
PENCIL = (240, 150, 40)    # orange pencil body
TIP = (90, 60, 40)         # its lead
SAMPLES = 8


def inside_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py) <= half_width


def inside_taper(x, y, ax, ay, bx, by, half_width):
    """Inside a wedge from a base of `half_width` at a to a point at b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = ((x - ax) * dx + (y - ay) * dy) / length2
    if t < 0 or t > 1:
        return False
    distance = abs((x - ax) * dy - (y - ay) * dx) / math.sqrt(length2)
    return distance <= half_width * (1 - t)


def colour_at(x, y):
    """The colour at (x, y), or None where the icon is transparent. Later layers win."""
    colour = None
    r = math.hypot(x - 0.45, y - 0.45)
    if r <= 0.42:
        colour = RIM
    if r <= 0.34:
        colour = FACE
    # Hands at ten past ten: hour hand short and wide, minute hand long and thin.
    if inside_segment(x, y, 0.45, 0.45, 0.30, 0.33, 0.045):
        colour = RIM
    if inside_segment(x, y, 0.45, 0.45, 0.66, 0.22, 0.032):
        colour = RIM
    # The pencil: a body from the lower right corner towards the centre, then its lead.
    if inside_segment(x, y, 0.99, 0.99, 0.74, 0.74, 0.085):
        colour = PENCIL
    if inside_taper(x, y, 0.74, 0.74, 0.60, 0.60, 0.085):
        colour = TIP
    return colour


def render(size):
    """Rows top-down of (b, g, r, a)."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            n = SAMPLES * SAMPLES
            if covered:
                rgb = [round(a / covered) for a in acc]
                row.append((rgb[2], rgb[1], rgb[0], round(255 * covered / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    """A 32-bit icon image: header, colour pixels bottom-up, then the 1-bit mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for p in row for c in p) for row in reversed(rows))
    stride = (size + 31) // 32 * 4  # mask rows are padded to whole 32-bit words
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:  # 1: the screen shows through
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "TavimoreEdit.ico"
    images = [(32, icon_image(32)), (16, icon_image(16))]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
