#!/usr/bin/python3
"""Packs the icon tool's PNG files into one Windows icon file:

    icon-file.py OUT.ico SIZE1.png SIZE2.png ...

The tool writes 8-bit gray and alpha PNGs. Up to 64 pixels each becomes a
32-bit bitmap, which every Windows reads; larger ones stay PNG, as Windows
keeps its large icons. The same PNGs give the same bytes."""
import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
GRAY_ALPHA = 4
LARGEST_BITMAP = 64


def read_png(path):
    data = open(path, "rb").read()
    if not data.startswith(PNG_SIGNATURE):
        sys.exit(f"icon-file: {path} is no PNG")
    at, header, idat = len(PNG_SIGNATURE), None, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if width != height or depth != 8 or colour != GRAY_ALPHA or interlace:
        sys.exit(f"icon-file: {path} is not a square 8-bit gray and alpha picture")
    rows = zlib.decompress(idat)
    stride = 1 + 2 * width
    if any(rows[y * stride] != 0 for y in range(height)):
        sys.exit(f"icon-file: {path} uses a PNG row filter")
    pixels = [[(rows[y * stride + 1 + 2 * x], rows[y * stride + 2 + 2 * x])
               for x in range(width)] for y in range(height)]
    return width, data, pixels


def bitmap(size, pixels):
    """A 32-bit bottom-up bitmap with its all-clear AND mask, as an icon holds it."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((g, g, g, a)) for row in reversed(pixels) for g, a in row)
    mask_stride = (size + 31) // 32 * 4
    return header + colour + bytes(mask_stride * size)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    images = []
    for path in sys.argv[2:]:
        size, png, pixels = read_png(path)
        images.append((size, png if size > LARGEST_BITMAP else bitmap(size, pixels)))
    images.sort()
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in images:
        side = size if size < 256 else 0  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + entries + b"".join(image for _, image in images))


if __name__ == "__main__":
    main()
