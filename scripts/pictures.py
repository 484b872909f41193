"""Pictures as files, for the release and the documentation: reading the PNGs that our own
tools write, and writing PNG and BMP files byte for byte the same on every run.

Standard library only. The reader takes what tools/gen/make_samples.py and `tavimore render`
(stb_image_write) produce: 8 bits per channel, RGB or RGBA, not interlaced. Anything else
is refused with a ValueError rather than guessed at.
"""
import struct
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# Colour types of the PNG header: 2 is RGB, 6 is RGBA; their channels per pixel.
CHANNELS = {2: 3, 6: 4}


class Picture:
    """width x height pixels, each an (r, g, b, a) tuple, rows from the top down."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != PNG_SIGNATURE:
        raise ValueError("%s is not a PNG file" % path)
    pos = 8
    header = None
    compressed = b""
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise ValueError("%s: chunk %r runs past the end" % (path, kind))
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
        pos += 12 + length  # length, type, body, CRC
    if header is None:
        raise ValueError("%s has no header chunk" % path)
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise ValueError("%s: only 8-bit RGB or RGBA without interlacing is read here" % path)
    channels = CHANNELS[colour]
    raw = zlib.decompress(compressed)
    stride = width * channels
    if len(raw) != height * (stride + 1):
        raise ValueError("%s: the image data has the wrong length" % path)
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        line = unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), previous,
                        channels)
        previous = line
        if channels == 3:
            rows.append([(line[i], line[i + 1], line[i + 2], 255) for i in range(0, stride, 3)])
        else:
            rows.append([tuple(line[i:i + 4]) for i in range(0, stride, 4)])
    return Picture(width, height, rows)


def unfilter(kind, line, previous, bpp):
    """Undoes one row's PNG filter (0 none, 1 sub, 2 up, 3 average, 4 Paeth) in place."""
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        if kind == 0:
            continue
        elif kind == 1:
            guess = left
        elif kind == 2:
            guess = up
        elif kind == 3:
            guess = (left + up) // 2
        elif kind == 4:
            guess = paeth(left, up, upper_left)
        else:
            raise ValueError("unknown PNG filter %d" % kind)
        line[i] = (line[i] + guess) & 0xFF
    return line


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def write_png(path, picture):
    """An 8-bit RGBA PNG with no filter and no time stamp: the same picture always gives
    the same bytes (with the same zlib)."""
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in picture.rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body)))

    with open(path, "wb") as f:
        f.write(PNG_SIGNATURE)
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", picture.width, picture.height,
                                           8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def bmp_bytes(picture):
    """A 24-bit uncompressed Windows bitmap (what every picture program on Windows opens),
    rows from the bottom up, each padded to a multiple of 4 bytes; alpha is dropped."""
    stride = (picture.width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(picture.rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info_size = 40  # BITMAPINFOHEADER
    offset = 14 + info_size  # after BITMAPFILEHEADER and the info header
    pixels_per_metre = 2835  # 72 dots per inch, what most programs assume
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", info_size, picture.width, picture.height, 1, 24,
                        0, len(pixels), pixels_per_metre, pixels_per_metre, 0, 0) +
            bytes(pixels))


def scaled(picture, factor):
    """Each pixel as a factor x factor block: a small picture made larger with its pixels
    kept sharp."""
    rows = []
    for row in picture.rows:
        wide = [pixel for pixel in row for _ in range(factor)]
        rows.extend(list(wide) for _ in range(factor))
    return Picture(picture.width * factor, picture.height * factor, rows)


def side_by_side(pictures, gap):
    """The pictures in a row, tops aligned, `gap` transparent pixels between them."""
    height = max(p.height for p in pictures)
    clear = (0, 0, 0, 0)
    rows = []
    for y in range(height):
        row = []
        for i, p in enumerate(pictures):
            if i:
                row.extend([clear] * gap)
            row.extend(p.rows[y] if y < p.height else [clear] * p.width)
        rows.append(row)
    width = sum(p.width for p in pictures) + gap * (len(pictures) - 1)
    return Picture(width, height, rows)
