#!/usr/bin/env python3
"""Draws the sample face strips in samples/: 80-pixel-wide PNG strips of 80 x 80 frames.

  moon.png    eight frames: the moon going through its phases over a starry sky
  sakura.png  four frames: cherry blossom petals falling past a branch
  sunset.png  one frame: the sun setting over the sea

Standard library only; run it again after changing a drawing.
"""
import math
import os
import random
import struct
import zlib

SIZE = 80
OUT = os.path.join(os.path.dirname(__file__), "..", "..", "samples")


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def coverage(inside, x, y, n=4):
    """Share of pixel (x, y) for which inside(px, py) holds, sampled n x n."""
    hits = 0
    for i in range(n):
        for j in range(n):
            if inside(x + (i + 0.5) / n, y + (j + 0.5) / n):
                hits += 1
    return hits / (n * n)


def frame(draw):
    return [[tuple(int(round(c)) for c in draw(x, y)) for x in range(SIZE)] for y in range(SIZE)]


def moon_frame(k, frames):
    rng = random.Random(7)
    stars = [(rng.uniform(0, SIZE), rng.uniform(0, SIZE), rng.uniform(0.4, 1.0)) for _ in range(40)]
    phase = 2 * math.pi * k / frames  # 0 new moon, pi full moon
    cx, cy, r = 40.0, 38.0, 22.0

    def lit(px, py):
        dx, dy = (px - cx) / r, (py - cy) / r
        if dx * dx + dy * dy > 1:
            return False
        # The terminator is an ellipse across the disc; the lit side grows from the right.
        edge = math.sqrt(1 - dy * dy) * math.cos(phase)
        return dx > edge if phase <= math.pi else dx < -edge

    def draw(x, y):
        sky = mix((8, 12, 40), (30, 40, 90), y / SIZE)
        for sx, sy, b in stars:
            if abs(x + 0.5 - sx) < 0.7 and abs(y + 0.5 - sy) < 0.7 and (x - cx) ** 2 + (y - cy) ** 2 > (r + 3) ** 2:
                sky = mix(sky, (255, 250, 220), b)
        disc = coverage(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r, x, y)
        light = coverage(lit, x, y)
        dark_moon = mix(sky, (45, 50, 80), disc)
        crater = 0.12 if (x - 48) ** 2 + (y - 30) ** 2 < 20 or (x - 33) ** 2 + (y - 46) ** 2 < 12 else 0
        bright = mix((250, 240, 200), (200, 190, 160), crater)
        glow = max(0.0, 1 - math.hypot(x - cx, y - cy) / (r * 1.8)) * 0.25 * (1 - abs(math.cos(phase / 2)))
        return mix(mix(dark_moon, bright, light), (120, 130, 170), glow * (1 - disc))
    return frame(draw)


def sakura_frame(k, frames):
    rng = random.Random(11)
    petals = [(rng.uniform(0, SIZE), rng.uniform(0, SIZE), rng.uniform(0, 2 * math.pi)) for _ in range(14)]
    blossoms = [(12, 14), (26, 8), (40, 16), (56, 10), (68, 20), (20, 24), (48, 26)]

    def draw(x, y):
        c = mix((150, 200, 245), (225, 240, 255), y / SIZE)
        # The branch: a dark line across the top.
        branch_y = 18 + 6 * math.sin(x / 14.0)
        if abs(y - branch_y) < 1.6 - x / 80.0:
            c = (90, 60, 50)
        for bx, by in blossoms:
            d = math.hypot(x - bx, y - by)
            angle = math.atan2(y - by, x - bx)
            petal_r = 5.5 + 1.5 * math.cos(5 * angle)
            if d < petal_r:
                c = mix((255, 190, 210), (255, 240, 245), 1 - d / petal_r)
            if d < 1.5:
                c = (220, 90, 120)
        for px, py, spin in petals:
            fy = (py + k * SIZE / frames) % SIZE
            fx = (px + 6 * math.sin(spin + k * 2 * math.pi / frames)) % SIZE
            a = spin + k * 0.8
            u = (x - fx) * math.cos(a) + (y - fy) * math.sin(a)
            v = -(x - fx) * math.sin(a) + (y - fy) * math.cos(a)
            if (u / 2.6) ** 2 + (v / 1.5) ** 2 < 1:
                c = (255, 175, 200)
        return c
    return frame(draw)


def sunset_frame():
    def draw(x, y):
        horizon = 52
        if y < horizon:
            c = mix((60, 40, 110), (255, 140, 60), y / horizon)
            d = math.hypot(x - 40, y - 46)
            c = mix(c, (255, 220, 120), coverage(lambda px, py: math.hypot(px - 40, py - 46) < 13, x, y))
            c = mix(c, (255, 200, 120), max(0, 1 - d / 30) * 0.3)
        else:
            c = mix((200, 90, 60), (20, 30, 70), (y - horizon) / (SIZE - horizon))
            if abs(x - 40) < 14 - (y - horizon) * 0.3 and (y // 2) % 2 == 0:
                c = mix(c, (255, 200, 110), 0.6)
        return c
    return frame(draw)


def main():
    os.makedirs(OUT, exist_ok=True)
    moon = [row for k in range(8) for row in moon_frame(k, 8)]
    write_png(os.path.join(OUT, "moon.png"), SIZE, len(moon), moon)
    sakura = [row for k in range(4) for row in sakura_frame(k, 4)]
    write_png(os.path.join(OUT, "sakura.png"), SIZE, len(sakura), sakura)
    write_png(os.path.join(OUT, "sunset.png"), SIZE, SIZE, sunset_frame())


if __name__ == "__main__":
    main()
