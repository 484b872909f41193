"""Pictures that test the memory bound of `tavimore build`, written into the given folder:

  inflate_bomb.png   an 80 x 80 header whose data stream inflates to 256 MiB of rows (or to
                     the MiB given after the folder)
  small_excess.png   an 80 x 80 header whose stream goes on for 8 MiB of rows, in less
                     compressed data than a picture of its size may hold
  largest.png        the largest strip, 80 x 20400 (255 faces), of noise that barely compresses
  largest.gif        the same size as a GIF, the first of many frames
  largest_progressive.jpg  the same size as a progressive JPEG of noise (ImageMagick)
  many_frames.gif    an 80 x 80 picture followed by 2000 more frames
"""
import os
import struct
import subprocess
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(path, width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", rows) + chunk(b"IEND", b""))


def inflate_bomb(path, total):
    packer = zlib.compressobj(9)
    block = b"\0" * (1 << 20)  # filter byte 0 and black pixels: valid rows, endlessly
    data = b"".join(packer.compress(block) for _ in range(total >> 20)) + packer.flush()
    png(path, 80, 80, data)


def lzw(indexes, min_size=2):
    """GIF LZW of the index list, without compression: a clear code before the table would
    widen the codes, so every code stays min_size + 1 bits wide."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    width = min_size + 1
    room = (1 << width) - (end + 1)  # table entries added before the codes widen
    codes, since = [clear], 0
    for i in indexes:
        if since == room - 1:
            codes.append(clear)
            since = 0
        codes.append(i)
        since += 1
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 255)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 255)
    blocks = b"".join(bytes([len(out[i:i + 255])]) + bytes(out[i:i + 255]) for i in range(0, len(out), 255))
    return bytes([min_size]) + blocks + b"\0"


def gif(path, width, height, first, frames):
    screen = b"GIF89a" + struct.pack("<HHBBB", width, height, 0x81, 0, 0)  # 4 colours
    colours = bytes((0, 0, 0, 255, 255, 255, 200, 40, 30, 30, 160, 60))
    descriptor = b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    body = descriptor + lzw(first)
    small = b"\x2c" + struct.pack("<HHHHB", 0, 0, 8, 8, 0) + lzw([2] * 64)
    with open(path, "wb") as f:
        f.write(screen + colours + body + small * frames + b"\x3b")


def progressive_jpeg(out, name):
    """A progressive JPEG keeps every coefficient of the picture until its last scan: noise
    at quality 100 without subsampling keeps them all large. ImageMagick's own policy refuses
    pictures over 16384 rows; a policy of ours raises that for the 20400 rows."""
    with open(os.path.join(out, "policy.xml"), "w") as f:
        f.write('<policymap><policy domain="resource" name="height" value="32KP"/></policymap>\n')
    subprocess.run(["convert", "-size", "80x20400", "xc:", "+noise", "Random", "-interlace", "JPEG",
                    "-quality", "100", "-sampling-factor", "1x1", os.path.join(out, name)],
                   env=dict(os.environ, MAGICK_CONFIGURE_PATH=out), check=True)


def main():
    out = sys.argv[1]
    bomb_mib = int(sys.argv[2]) if len(sys.argv) > 2 else 256
    inflate_bomb(os.path.join(out, "inflate_bomb.png"), bomb_mib << 20)
    inflate_bomb(os.path.join(out, "small_excess.png"), 8 << 20)
    noise = os.urandom(80 * 3 * 20400)
    rows = b"".join(b"\0" + noise[y * 240:(y + 1) * 240] for y in range(20400))
    png(os.path.join(out, "largest.png"), 80, 20400, zlib.compress(rows, 1))
    gif(os.path.join(out, "largest.gif"), 80, 20400, [(x // 20 + y // 80) % 4 for y in range(20400) for x in range(80)], 10)
    progressive_jpeg(out, "largest_progressive.jpg")
    gif(os.path.join(out, "many_frames.gif"), 80, 80, [(x // 20) % 4 for y in range(80) for x in range(80)], 2000)


if __name__ == "__main__":
    main()
