#!/usr/bin/env python3
"""Draws the built-in face pictures of Varnet, Ossimar and Pirrow.

Each picture is 80 x 80 pixels, written as a GIF (what the clock carries and hands to the
window system's picture loader) and as a C++ include with the same bytes, which the build
unit embeds. Run it again after changing a picture, and commit the outputs:

    python3 tools/gen/make_faces.py core/builds

Only the standard library is used. The pictures are computed, not painted, and are fully
deterministic: the same script always writes the same bytes.

Face coordinates: origin at the top-left pixel, x to the right, y downwards; the face lies
at (0, 0) of the clock window, so the window outlines below use the same numbers.
"""

import math
import os
import random
import sys

SIZE = 80


# ---------------------------------------------------------------- GIF writing

def lzw_encode(indices, min_code_size):
    """GIF's variable-length LZW: codes grow from min_code_size + 1 bits up to 12, packed
    least significant bit first; the table restarts with a clear code when it is full."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table = fresh_table()
    next_code = end + 1
    width = min_code_size + 1
    emit(clear, width)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # A decoder adds its entry one code later, so the width grows once the next
            # code no longer fits.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = fresh_table()
            next_code = end + 1
            width = min_code_size + 1
        current = (index,)
    if current:
        emit(table[current], width)
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_bytes(palette, indices):
    """A single-image GIF89a of SIZE x SIZE with a global colour table of `palette`
    (a list of (r, g, b), padded to a power of two of at least 4 entries)."""
    bits = max(2, (len(palette) - 1).bit_length())
    table = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    out = bytearray(b"GIF89a")
    out += SIZE.to_bytes(2, "little") + SIZE.to_bytes(2, "little")
    # Global colour table present, 8 bits per primary in the source, table size 2^bits.
    out.append(0x80 | 0x70 | (bits - 1))
    out += bytes([0, 0])  # background colour index, no aspect ratio
    for r, g, b in table:
        out += bytes([r, g, b])
    out += b"\x2C" + bytes(4) + SIZE.to_bytes(2, "little") + SIZE.to_bytes(2, "little")
    out.append(0)  # no local colour table, not interlaced
    out.append(bits)
    data = lzw_encode(indices, bits)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b"\x00\x3B"
    return bytes(out)


# ---------------------------------------------------------------- colour reduction

def median_cut(pixels, count):
    """Reduces to at most `count` colours: boxes of colours are split at the median of
    their widest channel, and each box becomes the mean of its colours."""
    boxes = [list(set(pixels))]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break

        def spread(box):
            return max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))

        box = max(splittable, key=spread)
        boxes.remove(box)
        channel = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    palette = []
    for box in boxes:
        palette.append(tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3)))
    return palette


def quantize(rgb, count):
    palette = median_cut(rgb, count)
    cache = {}

    def nearest(c):
        if c not in cache:
            cache[c] = min(range(len(palette)),
                           key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
        return cache[c]

    return palette, [nearest(c) for c in rgb]


# ---------------------------------------------------------------- drawing helpers

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def to_bytes(c):
    return tuple(int(round(clamp(v, 0, 255))) for v in c)


def smooth_noise(rng, length, smoothing):
    """Random values in [-1, 1] along a line, averaged over `smoothing` neighbours."""
    raw = [rng.uniform(-1, 1) for _ in range(length + smoothing)]
    return [sum(raw[i:i + smoothing]) / smoothing for i in range(length)]


def rounded_square_distance(x, y, left, top, right, bottom, radius):
    """Distance of a pixel centre inside the rounded square to its edge (negative outside)."""
    cx = clamp(x, left + radius, right - radius)
    cy = clamp(y, top + radius, bottom - radius)
    if (cx, cy) != (x, y) and (x < left + radius or x > right - radius) and \
            (y < top + radius or y > bottom - radius):
        return radius - math.hypot(x - cx, y - cy)
    return min(x - left, right - x, y - top, bottom - y)


# ---------------------------------------------------------------- the pictures

def varnet():
    """Wood with a cream dial and four black marks."""
    rng = random.Random(11)
    light, dark = (214, 160, 102), (150, 92, 48)
    fibre = [smooth_noise(rng, SIZE + 8, 9) for _ in range(SIZE)]
    cream, cream_shadow = (248, 238, 206), (226, 210, 170)
    rim = (124, 78, 36)
    cx = cy = 40.0
    dial_radius = 27.5
    pixels = []
    for y in range(SIZE):
        for x in range(SIZE):
            # Grain: nearly horizontal growth rings bent by a slow wave and a knot on the
            # right, with fine fibres running along them.
            knot = 9.0 * math.exp(-((x - 66) ** 2 + (y - 17) ** 2) / 90.0)
            t = y + 2.6 * math.sin(x * 0.06 + 0.8) + 1.2 * math.sin(x * 0.17 + y * 0.05) + knot
            ring = 0.5 + 0.5 * math.sin(t * 2 * math.pi / 9.5)
            ring = ring ** 1.8
            shade = clamp(ring + 0.22 * fibre[y][x + (y % 7)])
            c = mix(light, dark, shade)
            # A bevelled edge along the outline: lighter on the upper left, darker below.
            d = rounded_square_distance(x + 0.5, y + 0.5, 1, 1, 80, 80, 12)
            if d < 4:
                bevel = 0.45 * (4 - d) / 4
                facing = clamp(0.5 - (x + y - 80) / 40)  # 1 towards the upper left
                c = mix(c, mix((90, 52, 22), (255, 226, 170), facing), bevel)
            # The dial: cream, a little darker towards its rim, ringed in dark wood.
            r = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r < dial_radius + 1.5:
                face = mix(cream, cream_shadow, clamp((r - 12) / 16) ** 2)
                if r > dial_radius - 1.2:
                    face = rim
                cover = clamp(dial_radius + 1.5 - r)
                c = mix(c, face, cover)
            pixels.append(to_bytes(c))
    black = (0, 0, 0)
    for k in range(6):  # 12, 6, 9 and 3 o'clock: short bars three pixels thick
        for w in (-1, 0, 1):
            for x, y in ((40 + w, 16 + k), (40 + w, 59 + k), (16 + k, 40 + w), (59 + k, 40 + w)):
                pixels[y * SIZE + x] = black
    return quantize(pixels, 256)


def ossimar():
    """Five shaded yellow discs on white, one inside each piece of the outline."""
    discs = [  # centre x, centre y, radius; the outline's ellipses in window pixels
        (40.0, 40.0, 18.0),   # (20, 20)-(60, 60)
        (40.0, 10.5, 7.5),    # (30, 1)-(50, 20)
        (40.0, 70.0, 7.5),    # (30, 60)-(50, 80)
        (10.5, 40.0, 7.5),    # (1, 30)-(20, 50)
        (70.0, 40.0, 7.5),    # (60, 30)-(80, 50)
    ]
    light = (-0.45, -0.55, 0.70)
    norm = math.sqrt(sum(v * v for v in light))
    light = tuple(v / norm for v in light)
    yellow, shadow, white = (255, 214, 40), (196, 128, 0), (255, 255, 255)
    pixels = []
    for y in range(SIZE):
        for x in range(SIZE):
            c = white
            for dx0, dy0, radius in discs:
                dx, dy = (x + 0.5 - dx0) / radius, (y + 0.5 - dy0) / radius
                d2 = dx * dx + dy * dy
                if d2 >= 1.15:
                    continue
                # Lit as a dome: diffuse light from the upper left and a small highlight.
                nz = math.sqrt(max(0.0, 1 - d2))
                diffuse = clamp(dx * light[0] + dy * light[1] + nz * light[2])
                disc = mix(shadow, yellow, 0.25 + 0.75 * diffuse)
                highlight = clamp((diffuse - 0.86) / 0.14) ** 2
                disc = mix(disc, white, 0.85 * highlight)
                edge = math.sqrt(d2) * radius
                cover = clamp(radius + 0.5 - edge)
                disc = mix(disc, (170, 104, 0), clamp(edge - (radius - 1.2)))
                c = mix(c, disc, cover)
            pixels.append(to_bytes(c))
    return quantize(pixels, 64)


def pirrow():
    """Grey metal brushed from lower left to upper right, with a soft sheen and a bevelled
    rim where the round outline cuts it."""
    rng = random.Random(5)
    strokes = smooth_noise(rng, 2 * SIZE, 2)  # one value per diagonal x + y
    fragments = [smooth_noise(rng, SIZE, 12) for _ in range(2 * SIZE)]
    levels = 32
    values = []
    for y in range(SIZE):
        for x in range(SIZE):
            d = x + y
            sheen = 0.5 + 0.5 * math.cos((x - y) / SIZE * math.pi * 1.3 - 0.3)
            v = 0.50 + 0.20 * sheen + 0.045 * strokes[d] + 0.03 * fragments[d][x]
            r = math.hypot(x + 0.5 - 40.5, y + 0.5 - 40.5)
            if r > 35.5:
                # Lit from the upper left: +1 there, -1 at the lower right.
                facing = -((x + 0.5 - 40.5) + (y + 0.5 - 40.5)) / (r * math.sqrt(2))
                v += 0.16 * facing * clamp((r - 35.5) / 4)
            values.append(clamp(v, 0.30, 0.92))
    lo, hi = min(values), max(values)
    palette = []
    for i in range(levels):
        g = round(255 * (lo + (hi - lo) * i / (levels - 1)))
        palette.append((g, g, min(255, g + 4)))  # a cool steel grey
    indices = [round((v - lo) / (hi - lo) * (levels - 1)) for v in values]
    return palette, indices


# ---------------------------------------------------------------- output

def include_text(name, data):
    lines = [
        "// The built-in face picture of %s: the bytes of %s_face.gif." % (name, name),
        "// Written by tools/gen/make_faces.py; change the script, not this file.",
    ]
    for i in range(0, len(data), 16):
        lines.append(" ".join("0x%02X," % b for b in data[i:i + 16]))
    return "\n".join(lines) + "\n"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "core/builds"
    for name, draw, limit in (("Varnet", varnet, 256), ("Ossimar", ossimar, 64),
                              ("Pirrow", pirrow, 32)):
        palette, indices = draw()
        assert len(palette) <= limit and len(indices) == SIZE * SIZE
        data = gif_bytes(palette, indices)
        with open(os.path.join(folder, name + "_face.gif"), "wb") as f:
            f.write(data)
        with open(os.path.join(folder, name + "_face.inc"), "w") as f:
            f.write(include_text(name, data))
        print("%s: %d colours, %d bytes" % (name, len(palette), len(data)))


if __name__ == "__main__":
    main()
