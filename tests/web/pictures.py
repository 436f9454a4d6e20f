"""Pictures the web tests compare: the browsers' PNG screenshots, read with
ImageMagick as the desktop's tests read theirs, and the desktop's own frames
from orbostrak_export as PGM files."""

import struct
import subprocess

CONVERT = "/usr/bin/convert"
OPAQUE = 255


def png_gray(data):
    """(width, height, gray bytes, count of pixels that are no gray or not
    opaque): one byte a pixel, as the desktop's frames are."""
    width, height = struct.unpack(">II", data[16:24])  # from the PNG's header
    rgba = subprocess.run([CONVERT, "png:-", "-depth", "8", "rgba:-"], input=data,
                          stdout=subprocess.PIPE, check=True).stdout
    red, green, blue, alpha = (rgba[i::4] for i in range(4))
    off = 0
    if red != green or red != blue or alpha.count(OPAQUE) != len(alpha):
        off = sum(1 for r, g, b, a in zip(red, green, blue, alpha) if not r == g == b or a != OPAQUE)
    return width, height, red, off


def pgm_gray(path):
    """(width, height, gray bytes) of a binary PGM file."""
    with open(path, "rb") as f:
        data = f.read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    width, height = (int(n) for n in size.split())
    if magic != b"P5" or depth != b"255" or len(pixels) != width * height:
        raise ValueError("%s is no 8-bit PGM file" % path)
    return width, height, pixels
