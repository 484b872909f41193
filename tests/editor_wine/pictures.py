"""Picture files for the editor's tests, written with the standard library alone.

Every strip is designed to expose a fault: each 80 x 80 square has its own colours, and
within a square the four quarters differ and one corner pixel is marked, so a flipped
row order, a swapped colour channel or frames taken in the wrong order all show.
"""
import struct


def frame_pixel(frame, x, y):
    """The (r, g, b) of pixel (x, y) of square `frame`, y downwards."""
    if x == 0 and y == 0:
        return (255, 0, 0)  # a red top-left corner in every square
    base = [(200, 40, 30), (30, 160, 60), (40, 70, 210), (230, 200, 40), (120, 40, 160)]
    r, g, b = base[frame % len(base)]
    if x >= 40:
        r, g = g, r            # the right half has red and green swapped
    if y >= 40:
        b = 255 - b            # the lower half has blue inverted
    return (r, g, (b + frame * 7) % 256)


def strip_pixels(width, height):
    """Rows top-down of (r, g, b) for a picture `width` x `height`."""
    return [[frame_pixel(y // 80, x % 80, y % 80) for x in range(width)] for y in range(height)]


def bmp_bytes(rows):
    """A 24-bit bottom-up BMP of the rows."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def write_plain(path, width, height, rgb):
    """A picture of one colour, quickly, however large."""
    r, g, b = rgb
    stride = (width * 3 + 3) // 4 * 4
    row = bytes((b, g, r)) * width + bytes(stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + stride * height, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, stride * height, 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + row * height)


def write_strip(path, width, height):
    with open(path, "wb") as f:
        f.write(bmp_bytes(strip_pixels(width, height)))


def face_block(rows, frame):
    """The face image the clock file holds for square `frame`: 6401 little-endian values,
    bottom row first, each 0x00RRGGBB, then a spare 0."""
    out = bytearray()
    for y in reversed(range(frame * 80, frame * 80 + 80)):
        for x in range(80):
            r, g, b = rows[y][x]
            out += bytes((b, g, r, 0))
    return bytes(out) + bytes(4)
