"""Pictures the web tests compare: the browser's PNG screenshots, decoded
here with zlib alone, and the desktop's own frames from orbostrak_export as
PGM files."""

import struct
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# colour type: bytes per pixel, for 8-bit channels
PNG_CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def png_pixels(data):
    """(width, height, channels, rows): rows of bytes, channels per pixel."""
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError("not a PNG file")
    at = len(PNG_SIGNATURE)
    idat = b""
    width = height = channels = None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in PNG_CHANNELS or interlace:
                raise ValueError("PNG of depth %d, colour %d, interlace %d" % (depth, colour, interlace))
            channels = PNG_CHANNELS[colour]
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(idat)
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        if kind == 1:
            for i in range(channels, stride):
                row[i] = (row[i] + row[i - channels]) & 0xFF
        elif kind == 2:
            for i in range(stride):
                row[i] = (row[i] + previous[i]) & 0xFF
        elif kind == 3:
            for i in range(stride):
                left = row[i - channels] if i >= channels else 0
                row[i] = (row[i] + (left + previous[i]) // 2) & 0xFF
        elif kind == 4:
            for i in range(stride):
                left = row[i - channels] if i >= channels else 0
                upper_left = previous[i - channels] if i >= channels else 0
                row[i] = (row[i] + _paeth(left, previous[i], upper_left)) & 0xFF
        elif kind != 0:
            raise ValueError("PNG filter %d" % kind)
        rows.append(bytes(row))
        previous = row
    return width, height, channels, rows


def png_gray(data):
    """(width, height, gray bytes, count of pixels that are no gray or not
    opaque): one byte a pixel, as the desktop's frames are."""
    width, height, channels, rows = png_pixels(data)
    gray = bytearray(width * height)
    off = 0
    for y, row in enumerate(rows):
        if channels in (3, 4):
            red, green, blue = row[0::channels], row[1::channels], row[2::channels]
            if red != green or red != blue:
                off += sum(1 for r, g, b in zip(red, green, blue) if not r == g == b)
            if channels == 4:
                off += sum(1 for a in row[3::4] if a != 255)
            gray[y * width:(y + 1) * width] = red
        else:
            gray[y * width:(y + 1) * width] = row[0::channels]
    return width, height, bytes(gray), off


def pgm_gray(path):
    """(width, height, gray bytes) of a binary PGM file."""
    with open(path, "rb") as f:
        data = f.read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    width, height = (int(n) for n in size.split())
    if magic != b"P5" or depth != b"255" or len(pixels) != width * height:
        raise ValueError("%s is no 8-bit PGM file" % path)
    return width, height, pixels
